// oCamera: shows the player's screen, jumping from screen to screen; keeps the room's music
// going, the voices varied and the per-frame sound guard fresh; draws the title and the credits;
// and wipes the save on Ctrl+Shift+K.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"
#include "scripts/InputDevices.h"

namespace {

constexpr int32_t kVoices[] = {sndVoice, sndVoiceWigglis, sndVoiceFlowerfluff};

const char* const kTitleText =
    "The presents of the valley are scattered.\n"
    "Pixels, music and code by the Snowtide team.\n\n"
    "Press Enter";

const char* const kCreditsText =
    "The Presence is gone, and the light\n"
    "of the season is back in the valley.\n\n"
    "Snowtide was made by the Snowtide team:\n"
    "every pixel, note and line of code.\n\n"
    "Thank you for playing, and\n"
    "a fluffy Snowtide to you!";

// The camera on the player's screen; a new screen is re-tiled and its checkpoint recorded.
void FollowPlayer(CInstance* self, CInstance* other) {
    CInstance* player = nullptr;
    With(self, other, oChar, [&](CInstance* found, CInstance*) { player = player ? player : found; });
    if (!player) return;
    const Value width = Global(SLOT_view_width);
    const Value height = Global(SLOT_view_height);
    const Value x = Call(self, other, FN_floor, BuiltinVar(player, VAR_x) / width) * width;
    const Value y = Call(self, other, FN_floor, BuiltinVar(player, VAR_y) / height) * height;
    const Value camera = Var(self, SLOT_vc);
    if (x == Call(self, other, FN_camera_get_view_x, camera) && y == Call(self, other, FN_camera_get_view_y, camera))
        return;
    if (x < Value(0) || x >= BuiltinVar(self, VAR_room_width) || y < Value(0) || y >= BuiltinVar(self, VAR_room_height))
        return;
    Call(self, other, FN_camera_set_view_pos, camera, x, y);
    With(self, other, oTilesetter, [](CInstance* tiler, CInstance* camera_instance) { event_user(tiler, camera_instance, 0); });
    event_user(player, self, 0);
}

// Ctrl+Shift+K: a fresh start, with no save and no presents found.
void WipeSave(CInstance* self, CInstance* other) {
    Call(self, other, FN_file_delete, Global(SLOT_game_save_file));
    Call(self, other, FN_file_delete, Value("presence.fluffy"));
    const Value presents = Global(SLOT_present_list);
    const double count = Real(Call(self, other, FN_ds_list_size, presents));
    for (double i = 0; i < count; ++i)
        Call(self, other, FN_variable_global_set, Call(self, other, FN_ds_list_find_value, presents, Value(i)), Value(0));
    Call(self, other, FN_audio_stop_all);
    // The keys stay pressed until a step reads input again, which the room changes ahead skip:
    // the new game's camera must not see them and wipe again.
    Call(self, other, FN_io_clear);
    With(self, other, all, [](CInstance* instance, CInstance* camera) {
        if (BuiltinVar(instance, VAR_persistent)) Call(instance, camera, FN_instance_destroy);
    });
    Call(self, other, FN_room_goto, Value(0));
}

// The credits, once the herald and the Presence are both gone, over the opened great present.
void DrawCredits(CInstance* self, CInstance* other, const Value& centre, const Value& y) {
    if (Call(self, other, FN_instance_exists, Value(oPresence)) || Call(self, other, FN_instance_exists, Value(oFinalBoss)))
        return;
    CallScript(psl_Script_draw_text_centered, self, other, centre, y + 16.0, Value(kCreditsText));
    Call(self, other, FN_draw_sprite, Value(sMegaPresentOpen), Value(0), centre, y + Global(SLOT_view_height) - 10.0);
}

} // namespace

void psl_Object_oCamera_Create_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oCamera_Create_0");
    Assign(Var(self, SLOT_vc), Value(-1));
    Assign(Var(self, SLOT_stepc), Value(0));
}

void psl_Object_oCamera_Other_4(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oCamera_Other_4");
    Assign(Var(self, SLOT_vc), BuiltinVar(self, VAR_view_camera, 0));
    Call(self, other, FN_camera_set_view_size, Var(self, SLOT_vc), Global(SLOT_view_width), Global(SLOT_view_height));
    // No screen is at (-1, -1): the first Step always snaps to the player.
    Call(self, other, FN_camera_set_view_pos, Var(self, SLOT_vc), Value(-1), Value(-1));
}

void psl_Object_oCamera_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oCamera_Step_0");
    FollowPlayer(self, other);
    frame.Line(2);
    // Music a fight or a conversation interrupted comes back once it is over; a song the pause
    // menu or a fight holds stays held (a paused song counts as not playing, and would start
    // again from its first bar over the fight's).
    Var(self, SLOT_stepc) += Value(1);
    bool menu_open = false;
    With(self, other, oPauseMenu, [&](CInstance* menu, CInstance*) { menu_open |= bool(Value(Var(menu, SLOT_open))); });
    if (Var(self, SLOT_stepc) % Value(15) == Value(0) && !menu_open && !FightOn(self, other))
        CallScript(psl_Script_room_music, self, other);
    frame.Line(3);
    for (int32_t voice : kVoices)
        Call(self, other, FN_audio_sound_pitch, Value(voice), Call(self, other, FN_random_range, Value(0.5), Value(1.5)));
    frame.Line(4);
    if (Call(self, other, FN_keyboard_check, Value(vk_control)) && Call(self, other, FN_keyboard_check, Value(vk_shift)) &&
        Call(self, other, FN_keyboard_check_pressed, Value('K'))) {
        WipeSave(self, other);
        return;
    }
    frame.Line(5);
    if (Global(SLOT_megapresent) >= Value(3) && !Call(self, other, FN_instance_exists, Value(oTextbox)) &&
        BuiltinVar(self, VAR_room) != Value(rmFinal)) {
        With(self, other, oChar, [&](CInstance* player, CInstance*) {
            SetBuiltinVar(player, VAR_x, Div(Global(SLOT_view_width), Value(2)));
            SetBuiltinVar(player, VAR_y, Global(SLOT_view_height) - 28.0);
            Assign(Var(player, SLOT_hv), Value(0));
            Assign(Var(player, SLOT_vv), Value(0));
        });
        Call(self, other, FN_room_goto, Value(rmFinal));
    }
}

void psl_Object_oCamera_Step_2(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oCamera_Step_2");
    Call(self, other, FN_ds_map_clear, Global(SLOT_played_this_frame));
}

// The title's text on its screen, where Enter (or Start) begins the journey in the snow; the
// credits in the last room.
void psl_Object_oCamera_Draw_73(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oCamera_Draw_73");
    const Value room = BuiltinVar(self, VAR_room);
    if (room != Value(rmTitle) && room != Value(rmFinal)) return;
    const Value x = Call(self, other, FN_camera_get_view_x, Var(self, SLOT_vc));
    const Value y = Call(self, other, FN_camera_get_view_y, Var(self, SLOT_vc));
    const Value centre = x + Div(Global(SLOT_view_width), Value(2));
    Call(self, other, FN_draw_set_colour, Value(0xFFFFFF));
    if (room == Value(rmFinal)) {
        Call(self, other, FN_draw_set_font, Global(SLOT_neco_font));
        DrawCredits(self, other, centre, y);
        return;
    }
    Call(self, other, FN_draw_set_font, Global(SLOT_mireth_font_bold_2x));
    CallScript(psl_Script_draw_text_centered, self, other, centre, y + 16.0, Value("Snowtide"));
    Call(self, other, FN_draw_set_font, Global(SLOT_neco_font));
    CallScript(psl_Script_draw_text_centered, self, other, centre, y + 48.0, Value(kTitleText));
    frame.Line(2);
    // A gamepad's Start serves as Enter.
    if (Call(self, other, FN_keyboard_check_pressed, Value(vk_enter)) || input_devices::AnyPadPressed(self, other, gp_start))
        Call(self, other, FN_room_goto, Value(rmSnow));
}
