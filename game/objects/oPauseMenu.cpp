// oPauseMenu: Escape (or Start) pauses the game and opens a small menu over the dimmed screen:
// resume, volume, window scale, full screen, whether the game pauses itself when its window loses
// the focus, the controls (each action's bindings, rebound by pressing what should take their
// place) and quit. Every change is saved at once.
#include <string>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputBinding.h"
#include "scripts/InputDevices.h"

namespace {

enum Page { kMainPage = 0, kControlsPage = 1 };
enum MainItem { kResume, kVolume, kScale, kFullScreen, kPauseWhenAway, kControls, kQuit, kMainItemCount };
const char* const kMainItems[] = {"Resume", "Volume", "Window scale", "Full screen", "Pause when away", "Controls", "Quit"};
const char* const kActionNames[] = {"Up", "Down", "Left", "Right", "Jump", "Spare"};
constexpr int kActionCount = 6;
constexpr int kResetItem = kActionCount; // after the actions on the controls page
constexpr int kControlsItemCount = kActionCount + 2;

constexpr int kWhite = 0xFFFFFF;
constexpr int kYellow = 0x60D8F8; // blue, green, red from the high byte down

bool Action(CInstance* self, CInstance* other, ScriptFunction read, int action) {
    return bool(CallScript(read, self, other, Value(action)));
}
bool KeyPressed(CInstance* self, CInstance* other, int key) {
    return bool(Call(self, other, FN_keyboard_check_pressed, Value(key)));
}
bool StartPressed(CInstance* self, CInstance* other) { return input_devices::AnyPadPressed(self, other, gp_start); }
// Up is also a jump key: confirming takes a jump that is not an up.
bool Confirm(CInstance* self, CInstance* other) {
    return KeyPressed(self, other, vk_enter) ||
           (Action(self, other, psl_Script_input_pressed, 4) && !Action(self, other, psl_Script_input_pressed, 0));
}
bool Back(CInstance* self, CInstance* other) {
    return KeyPressed(self, other, vk_escape) ||
           (Action(self, other, psl_Script_input_pressed, 5) && !Action(self, other, psl_Script_input_pressed, 4));
}

// The last fight's song holds with the fight it times; elsewhere the music only goes quiet.
bool SongHolds(CInstance* self) { return BuiltinVar(self, VAR_room) == Value(rmFinal); }

void Open(CInstance* self, CInstance* other) {
    Assign(Var(self, SLOT_open), Value(1));
    Assign(Var(self, SLOT_page), Value(kMainPage));
    Assign(Var(self, SLOT_cursor), Value(kResume));
    const Value paused = Var(self, SLOT_paused);
    With(self, other, oActor, [&](CInstance* actor, CInstance*) {
        if (Value(Var(actor, SLOT_pause))) return;
        Assign(Var(actor, SLOT_pause), Value(1));
        Call(self, other, FN_ds_list_add, paused, BuiltinVar(actor, VAR_id));
    });
    if (!Call(self, other, FN_audio_exists, Global(SLOT_bgm))) return;
    if (SongHolds(self))
        Call(self, other, FN_audio_pause_sound, Global(SLOT_bgm));
    else
        Call(self, other, FN_audio_sound_gain, Global(SLOT_bgm), Value(0.25), Value(300));
}

// Only the actors the menu paused go on: a pause of the game's own stays.
void Close(CInstance* self, CInstance* other) {
    Assign(Var(self, SLOT_open), Value(0));
    const Value paused = Var(self, SLOT_paused);
    const double count = Real(Call(self, other, FN_ds_list_size, paused));
    for (double i = 0; i < count; ++i) {
        const Value actor = Call(self, other, FN_ds_list_find_value, paused, Value(i));
        if (Call(self, other, FN_instance_exists, actor)) SetVarOf(int32_t(Real(actor)), SLOT_pause, Value(0));
    }
    Call(self, other, FN_ds_list_clear, paused);
    if (!Call(self, other, FN_audio_exists, Global(SLOT_bgm))) return;
    if (SongHolds(self))
        Call(self, other, FN_audio_resume_sound, Global(SLOT_bgm));
    else
        Call(self, other, FN_audio_sound_gain, Global(SLOT_bgm), Value(1), Value(300));
}

void Save(CInstance* self, CInstance* other) { CallScript(psl_Script_save_options, self, other); }

// Left and right on a setting: volume by tenths, the scale by one, full screen either way.
void Adjust(CInstance* self, CInstance* other, int item, double direction) {
    if (item == kVolume) {
        const double volume = Max(0.0, Min(1.0, Real(Call(self, other, FN_round, Global(SLOT_volume) * 10.0)) / 10 + direction / 10));
        Assign(Global(SLOT_volume), Value(volume));
        Call(self, other, FN_audio_set_master_gain, Value(0), Value(volume));
    } else if (item == kScale) {
        const double scale = Max(1.0, Min(Real(Global(SLOT_max_scale)), Real(Global(SLOT_scale)) + direction));
        CallScript(psl_Script_window_set_scale, self, other, Value(scale));
        SetBuiltinVar(self, VAR_alarm, Value(1), 0);
    } else if (item == kFullScreen) {
        Assign(Global(SLOT_fullscreen), Value(!Call(self, other, FN_window_get_fullscreen)));
        Call(self, other, FN_window_set_fullscreen, Global(SLOT_fullscreen));
    } else if (item == kPauseWhenAway) {
        Assign(Global(SLOT_pause_when_away), Value(!Value(Global(SLOT_pause_when_away))));
    } else {
        return;
    }
    Save(self, other);
}

// What the player asked for this frame: read once, used by either page.
struct Choice {
    int item;
    bool confirm;
    bool back;
};

void MainPage(CInstance* self, CInstance* other, const Choice& choice) {
    const int item = choice.item;
    if (choice.back) {
        Close(self, other);
        return;
    }
    const double direction = double(Action(self, other, psl_Script_input_pressed_repeat, 3)) -
                             double(Action(self, other, psl_Script_input_pressed_repeat, 2));
    if (direction != 0) Adjust(self, other, item, direction);
    if (!choice.confirm) return;
    switch (item) {
    case kResume: Close(self, other); break;
    case kFullScreen:
    case kPauseWhenAway: Adjust(self, other, item, 1); break;
    case kControls:
        Assign(Var(self, SLOT_page), Value(kControlsPage));
        Assign(Var(self, SLOT_cursor), Value(0));
        break;
    case kQuit: Call(self, other, FN_game_end); break;
    default: break;
    }
}

void ControlsPage(CInstance* self, CInstance* other, const Choice& choice) {
    const int item = choice.item;
    if (choice.back || (item == kResetItem + 1 && choice.confirm)) {
        Assign(Var(self, SLOT_page), Value(kMainPage));
        Assign(Var(self, SLOT_cursor), Value(kControls));
        return;
    }
    if (!choice.confirm) return;
    if (item < kActionCount) {
        CallScript(psl_Script_input_assign_wait, self, other, Value(item));
        Assign(Var(self, SLOT_capturing), Value(item));
        return;
    }
    for (int action = 0; action < kActionCount; ++action) {
        CallScript(psl_Script_input_replace, self, other, Value(action), Value(binding::Key), Value(binding::Mouse),
                   Value(binding::GamepadButton), Value(binding::GamepadAxis), Value(binding::GamepadHat),
                   Value(binding::Wait));
        CallScript(psl_Script_input_default_bindings, self, other, Value(action));
    }
    Save(self, other);
}

// While an action waits: a key replaces its keys, a gamepad input its gamepad bindings;
// Escape leaves it as it was.
void Capture(CInstance* self, CInstance* other) {
    const Value action = Var(self, SLOT_capturing);
    const Value gamepad_kinds[] = {Value(binding::GamepadButton), Value(binding::GamepadAxis), Value(binding::GamepadHat)};
    if (KeyPressed(self, other, vk_escape)) {
        CallScript(psl_Script_input_replace, self, other, action, Value(binding::Wait));
    } else if (const Value key = CallScript(psl_Script_input_any_key, self, other); key != Value(0)) {
        CallScript(psl_Script_input_replace, self, other, action, Value(binding::Key));
        CallScript(psl_Script_input_assign_key, self, other, action, key);
    } else if (const Value button = CallScript(psl_Script_input_any_gamepad_button, self, other); button != Value(-1)) {
        CallScript(psl_Script_input_replace, self, other, action, gamepad_kinds[0], gamepad_kinds[1], gamepad_kinds[2]);
        CallScript(psl_Script_input_assign_gamepad_button, self, other, action, button);
    } else if (Value stick = CallScript(psl_Script_input_any_gamepad_axis, self, other); Call(self, other, FN_is_array, stick)) {
        CallScript(psl_Script_input_replace, self, other, action, gamepad_kinds[0], gamepad_kinds[1], gamepad_kinds[2]);
        CallScript(psl_Script_input_assign_gamepad_axis, self, other, action, Value(Element(stick, 0)), Value(Element(stick, 1)));
    } else if (Value hat = CallScript(psl_Script_input_any_gamepad_hat, self, other); Call(self, other, FN_is_array, hat)) {
        CallScript(psl_Script_input_replace, self, other, action, gamepad_kinds[0], gamepad_kinds[1], gamepad_kinds[2]);
        CallScript(psl_Script_input_assign_gamepad_hat, self, other, action, Value(Element(hat, 0)), Value(Element(hat, 1)));
    } else {
        return;
    }
    Assign(Var(self, SLOT_capturing), Value(-1));
    Save(self, other);
}

// An action's bindings as one line, gamepad inputs as their glyphs.
std::string BindingsText(CInstance* self, CInstance* other, int action) {
    std::string text;
    With(self, other, oInput, [&](CInstance* input, CInstance* caller) {
        const Value bindings = Call(input, caller, FN_ds_map_find_value, Var(input, SLOT_actions), Value(std::to_string(action)));
        const double count = Real(Call(input, caller, FN_ds_list_size, bindings));
        for (double i = 0; i < count; ++i) {
            const Value binding = Call(input, caller, FN_ds_list_find_value, bindings, Value(i));
            text += (i > 0 ? ", " : "") + ValueText(CallScript(psl_Script_input_string_sprite, input, caller, binding));
        }
    });
    return text;
}

std::string MainValue(int item) {
    switch (item) {
    case kVolume: return std::to_string(int(Real(Global(SLOT_volume)) * 100 + 0.5)) + "%";
    case kScale: return "x" + ValueText(Global(SLOT_scale));
    case kFullScreen: return Value(Global(SLOT_fullscreen)) ? "On" : "Off";
    case kPauseWhenAway: return Value(Global(SLOT_pause_when_away)) ? "On" : "Off";
    default: return "";
    }
}

} // namespace

void psl_Object_oPauseMenu_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPauseMenu_Create_0");
    Assign(Var(self, SLOT_open), Value(0));
    Assign(Var(self, SLOT_page), Value(kMainPage));
    Assign(Var(self, SLOT_cursor), Value(0));
    Assign(Var(self, SLOT_capturing), Value(-1));
    Assign(Var(self, SLOT_paused), Call(self, other, FN_ds_list_create));
}

void psl_Object_oPauseMenu_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPauseMenu_Step_0");
    const Value room = BuiltinVar(self, VAR_room);
    if (!Value(Var(self, SLOT_open))) {
        if (room == Value(rmInit) || room == Value(rmGo)) return;
        // The player switched to another window: the game waits for them.
        const bool away = Value(Global(SLOT_pause_when_away)) && Call(self, other, FN_window_focus_lost);
        if (away || KeyPressed(self, other, vk_escape) || (room != Value(rmTitle) && StartPressed(self, other)))
            Open(self, other);
        return;
    }
    frame.Line(2);
    if (Var(self, SLOT_capturing) >= Value(0)) {
        Capture(self, other);
        return;
    }
    if (StartPressed(self, other)) {
        Close(self, other);
        return;
    }
    frame.Line(3);
    const bool main = Var(self, SLOT_page) == Value(kMainPage);
    const int count = main ? kMainItemCount : kControlsItemCount;
    RValue& cursor = Var(self, SLOT_cursor);
    const int moved = int(Action(self, other, psl_Script_input_pressed_repeat, 1)) -
                      int(Action(self, other, psl_Script_input_pressed_repeat, 0));
    if (moved != 0) {
        Assign(cursor, Value((int(Real(cursor)) + moved + count) % count));
        CallScript(psl_Script_sfx_play, self, other, Value(sfxMenuMove));
    }
    frame.Line(4);
    const Choice choice{int(Real(cursor)), Confirm(self, other), Back(self, other)};
    if (choice.confirm) CallScript(psl_Script_sfx_play, self, other, Value(sfxMenuSelect));
    if (main)
        MainPage(self, other, choice);
    else
        ControlsPage(self, other, choice);
}

// The window is centred one frame after a new scale, once it has its new size.
void psl_Object_oPauseMenu_Alarm_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPauseMenu_Alarm_0");
    Call(self, other, FN_window_center);
}

void psl_Object_oPauseMenu_Draw_73(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPauseMenu_Draw_73");
    if (!Value(Var(self, SLOT_open))) return;
    const Value camera = BuiltinVar(self, VAR_view_camera, 0);
    const Value left = Call(self, other, FN_camera_get_view_x, camera);
    const Value top = Call(self, other, FN_camera_get_view_y, camera);
    const Value width = Global(SLOT_view_width);
    Call(self, other, FN_draw_set_alpha, Value(0.7));
    Call(self, other, FN_draw_rectangle_color, left, top, left + width, top + Global(SLOT_view_height), Value(0), Value(0),
         Value(0), Value(0), Value(0));
    Call(self, other, FN_draw_set_alpha, Value(1));
    frame.Line(2);
    const bool main = Var(self, SLOT_page) == Value(kMainPage);
    const int cursor = int(Real(Var(self, SLOT_cursor)));
    Call(self, other, FN_draw_set_colour, Value(kWhite));
    Call(self, other, FN_draw_set_font, Global(SLOT_mireth_font_bold));
    CallScript(psl_Script_draw_text_centered, self, other, left + Div(width, Value(2)), top + 20.0,
               Value(main ? "Paused" : "Controls"));
    frame.Line(3);
    Call(self, other, FN_draw_set_font, Global(main ? SLOT_mireth_font : SLOT_neco_font));
    const int count = main ? kMainItemCount : kControlsItemCount;
    for (int item = 0; item < count; ++item) {
        const Value y = top + Value(44 + item * (main ? 16 : 13));
        Call(self, other, FN_draw_set_colour, Value(item == cursor ? kYellow : kWhite));
        const Value x = left + Value(main ? 104 : 24);
        if (main) {
            Call(self, other, FN_draw_text, x, y, Value(kMainItems[item]));
            Call(self, other, FN_draw_text, x + 80.0, y, Value(MainValue(item)));
        } else if (item < kActionCount) {
            Call(self, other, FN_draw_text, x, y, Value(kActionNames[item]));
            const bool waiting = Var(self, SLOT_capturing) == Value(item);
            CallScript(psl_Script_draw_text_sprite, self, other, x + 40.0, y,
                       Value(waiting ? std::string("press a key or a button...") : BindingsText(self, other, item)));
        } else {
            Call(self, other, FN_draw_text, x, y, Value(item == kResetItem ? "Reset to defaults" : "Back"));
        }
    }
    frame.Line(4);
    Call(self, other, FN_draw_set_colour, Value(kWhite));
    Call(self, other, FN_draw_set_font, Global(SLOT_neco_font));
    const char* hint = Var(self, SLOT_capturing) >= Value(0) ? "Escape: keep as it was"
                       : main ? "Left and right change a setting.  Escape: back to the game"
                              : "Enter: rebind.  Escape: back";
    CallScript(psl_Script_draw_text_centered, self, other, left + Div(width, Value(2)), top + 164.0, Value(hint));
}

void psl_Object_oPauseMenu_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPauseMenu_Destroy_0");
    Call(self, other, FN_ds_list_destroy, Var(self, SLOT_paused));
}
