// The key and mouse-button constants of the scripting language. Key codes are Windows
// virtual-key codes; letters and digits are their upper-case character codes ('A' is 65,
// '0' is 48) and have no names.
#pragma once

#include <cstdint>

#define RUNNER_INPUT_CONSTANTS(X)                                                                  \
    X(vk_nokey, 0) X(vk_anykey, 1) X(vk_backspace, 8) X(vk_tab, 9) X(vk_enter, 13)                 \
    X(vk_return, 13) X(vk_shift, 16) X(vk_control, 17) X(vk_alt, 18) X(vk_pause, 19)               \
    X(vk_escape, 27) X(vk_space, 32) X(vk_pageup, 33) X(vk_pagedown, 34) X(vk_end, 35)             \
    X(vk_home, 36) X(vk_left, 37) X(vk_up, 38) X(vk_right, 39) X(vk_down, 40)                      \
    X(vk_printscreen, 44) X(vk_insert, 45) X(vk_delete, 46)                                        \
    X(vk_numpad0, 96) X(vk_numpad1, 97) X(vk_numpad2, 98) X(vk_numpad3, 99) X(vk_numpad4, 100)     \
    X(vk_numpad5, 101) X(vk_numpad6, 102) X(vk_numpad7, 103) X(vk_numpad8, 104)                    \
    X(vk_numpad9, 105) X(vk_multiply, 106) X(vk_add, 107) X(vk_subtract, 109) X(vk_decimal, 110)   \
    X(vk_divide, 111) X(vk_f1, 112) X(vk_f2, 113) X(vk_f3, 114) X(vk_f4, 115) X(vk_f5, 116)        \
    X(vk_f6, 117) X(vk_f7, 118) X(vk_f8, 119) X(vk_f9, 120) X(vk_f10, 121) X(vk_f11, 122)          \
    X(vk_f12, 123) X(vk_lshift, 160) X(vk_rshift, 161) X(vk_lcontrol, 162) X(vk_rcontrol, 163)     \
    X(vk_lalt, 164) X(vk_ralt, 165)                                                                \
    X(mb_any, -1) X(mb_none, 0) X(mb_left, 1) X(mb_right, 2) X(mb_middle, 3)

#define RUNNER_DECLARE_INPUT_CONSTANT(name, value) inline constexpr int32_t name = value;
RUNNER_INPUT_CONSTANTS(RUNNER_DECLARE_INPUT_CONSTANT)
#undef RUNNER_DECLARE_INPUT_CONSTANT

// Adds them to the runner's constant table by name.
void RegisterInputConstants();
