// The built-in constants of the scripting language: the event numbers, the blend modes and
// factors, the text alignments, and the instance keywords. One list serves both as C++ constants for compiled code
// and as the runner's constant table by name.
#pragma once

#include <cstdint>
#include <span>

#define RUNNER_GAME_CONSTANTS(X)                                                                    \
    X(ev_create, 0) X(ev_destroy, 1) X(ev_alarm, 2) X(ev_step, 3) X(ev_collision, 4)               \
    X(ev_keyboard, 5) X(ev_mouse, 6) X(ev_other, 7) X(ev_draw, 8) X(ev_keypress, 9)                \
    X(ev_keyrelease, 10) X(ev_trigger, 11) X(ev_cleanup, 12) X(ev_clean_up, 12) X(ev_gesture, 13)  \
    X(ev_pre_create, 14)                                                                           \
    X(ev_step_normal, 0) X(ev_step_begin, 1) X(ev_step_end, 2)                                     \
    X(ev_outside, 0) X(ev_boundary, 1) X(ev_game_start, 2) X(ev_game_end, 3) X(ev_room_start, 4)   \
    X(ev_room_end, 5) X(ev_no_more_lives, 6) X(ev_animation_end, 7) X(ev_end_of_path, 8)           \
    X(ev_no_more_health, 9) X(ev_user0, 10) X(ev_user1, 11) X(ev_user2, 12) X(ev_user3, 13)        \
    X(ev_user4, 14) X(ev_user5, 15) X(ev_user6, 16) X(ev_user7, 17) X(ev_user8, 18)                \
    X(ev_user9, 19) X(ev_user10, 20) X(ev_user11, 21) X(ev_user12, 22) X(ev_user13, 23)            \
    X(ev_user14, 24) X(ev_user15, 25) X(ev_close_button, 30) X(ev_async, 62) X(ev_dialog, 63)      \
    X(ev_iap, 66) X(ev_cloud, 67) X(ev_networking, 68) X(ev_steam, 69) X(ev_social, 70)            \
    X(ev_push_notification, 71) X(ev_save_load, 72) X(ev_audio_recording, 73)                      \
    X(ev_audio_playback, 74) X(ev_system_event, 75)                                                \
    X(ev_draw_normal, 0) X(ev_gui, 64) X(ev_draw_begin, 72) X(ev_draw_end, 73)                     \
    X(ev_gui_begin, 74) X(ev_gui_end, 75) X(ev_draw_pre, 76) X(ev_draw_post, 77)                   \
    X(ev_left_button, 0) X(ev_right_button, 1) X(ev_middle_button, 2) X(ev_no_button, 3)           \
    X(ev_left_press, 4) X(ev_right_press, 5) X(ev_middle_press, 6) X(ev_left_release, 7)           \
    X(ev_right_release, 8) X(ev_middle_release, 9) X(ev_mouse_enter, 10) X(ev_mouse_leave, 11)     \
    X(ev_global_press, 12) X(ev_global_release, 13)                                                \
    X(ev_joystick1_left, 16) X(ev_joystick1_right, 17) X(ev_joystick1_up, 18)                      \
    X(ev_joystick1_down, 19) X(ev_joystick1_button1, 21) X(ev_joystick1_button2, 22)               \
    X(ev_joystick1_button3, 23) X(ev_joystick1_button4, 24) X(ev_joystick1_button5, 25)            \
    X(ev_joystick1_button6, 26) X(ev_joystick1_button7, 27) X(ev_joystick1_button8, 28)            \
    X(ev_joystick2_left, 31) X(ev_joystick2_right, 32) X(ev_joystick2_up, 33)                      \
    X(ev_joystick2_down, 34) X(ev_joystick2_button1, 36) X(ev_joystick2_button2, 37)               \
    X(ev_joystick2_button3, 38) X(ev_joystick2_button4, 39) X(ev_joystick2_button5, 40)            \
    X(ev_joystick2_button6, 41) X(ev_joystick2_button7, 42) X(ev_joystick2_button8, 43)            \
    X(ev_global_left_button, 50) X(ev_global_right_button, 51) X(ev_global_middle_button, 52)      \
    X(ev_global_left_press, 53) X(ev_global_right_press, 54) X(ev_global_middle_press, 55)         \
    X(ev_global_left_release, 56) X(ev_global_right_release, 57)                                   \
    X(ev_global_middle_release, 58) X(ev_mouse_wheel_up, 60) X(ev_mouse_wheel_down, 61)            \
    X(ev_tap, 0) X(ev_double_tap, 1) X(ev_drag_start, 2) X(ev_dragging, 3) X(ev_drag_end, 4)       \
    X(ev_flick, 5) X(ev_pinch_start, 6) X(ev_pinch_in, 7) X(ev_pinch_out, 8) X(ev_pinch_end, 9)    \
    X(ev_rotate_start, 10) X(ev_rotating, 11) X(ev_rotate_end, 12)                                 \
    X(ev_global_tap, 64) X(ev_global_double_tap, 65) X(ev_global_drag_start, 66)                   \
    X(ev_global_dragging, 67) X(ev_global_drag_end, 68) X(ev_global_flick, 69)                     \
    X(ev_global_pinch_start, 70) X(ev_global_pinch_in, 71) X(ev_global_pinch_out, 72)              \
    X(ev_global_pinch_end, 73) X(ev_global_rotate_start, 74) X(ev_global_rotating, 75)             \
    X(ev_global_rotate_end, 76)                                                                    \
    X(bm_normal, 0) X(bm_add, 1) X(bm_max, 2) X(bm_subtract, 3)                                    \
    X(bm_zero, 1) X(bm_one, 2) X(bm_src_colour, 3) X(bm_inv_src_colour, 4) X(bm_src_alpha, 5)      \
    X(bm_inv_src_alpha, 6) X(bm_dest_alpha, 7) X(bm_inv_dest_alpha, 8) X(bm_dest_colour, 9)        \
    X(bm_inv_dest_colour, 10) X(bm_src_alpha_sat, 11)                                              \
    X(fa_left, 0) X(fa_center, 1) X(fa_right, 2) X(fa_top, 0) X(fa_middle, 1) X(fa_bottom, 2)      \
    X(all, -3) X(noone, -4)                                                                        \
    X(ds_type_map, 1) X(ds_type_list, 2) X(ds_type_stack, 3) X(ds_type_queue, 4)                  \
    X(ds_type_grid, 5) X(ds_type_priority, 6)

#define RUNNER_DECLARE_CONSTANT(name, value) inline constexpr int32_t name = value;
RUNNER_GAME_CONSTANTS(RUNNER_DECLARE_CONSTANT)
#undef RUNNER_DECLARE_CONSTANT

// The constant table by name, which the runner fills at start ("Code_Constant_Prepare").
void RegisterGameConstants();
void RegisterConstant(const char* name, double value);

// A family of constants listed like RUNNER_GAME_CONSTANTS, as a table:
//     constexpr NamedConstant kKeys[] = {RUNNER_KEY_CONSTANTS(RUNNER_NAMED_CONSTANT)};
struct NamedConstant {
    const char* name;
    int32_t value;
};
#define RUNNER_NAMED_CONSTANT(name, value) {#name, value},
void RegisterConstants(std::span<const NamedConstant> constants);
// False when no constant has the name.
bool FindConstant(const char* name, double* value);
