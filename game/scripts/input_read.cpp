// Reading the input actions: whether an action is held, pressed or released through any of its
// bindings, how long it has been held, its key repeat and a stick's signed value.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputBinding.h"
#include "scripts/InputDevices.h"

namespace {

using namespace input_devices;

enum Mode { Held = 0, Pressed = 1, Released = 2, HeldTime = 3, PressedRepeat = 4, RawAxis = 5 };

// The built-in of a check family that answers `mode`; the key repeat tests presses.
const FunctionPair& ForMode(int mode, const FunctionPair& held, const FunctionPair& pressed,
                            const FunctionPair& released) {
    return mode == Held ? held : mode == Released ? released : pressed;
}

// Whether an input that is `now` active and was `before` makes the mode's event.
bool Happens(int mode, bool now, bool before) {
    if (mode == Held) return now;
    if (mode == Released) return !now && before;
    return now && !before;
}

// The one device gamepad reads are limited to in multiplayer, else -1 for all of them.
double PadFilter(CInstance* input, CInstance* other) {
    const Value pads = Var(input, SLOT_gpad_map);
    const Value id = Var(input, SLOT_gpid);
    if (!Value(Var(input, SLOT_multiplayer)) || !Call(input, other, FN_ds_map_exists, pads, id))
        return -1;
    return Real(Call(input, other, FN_ds_map_find_value, pads, id));
}

// Whether `binding` is active for `mode`; `value` receives the stick's value in RawAxis mode.
bool Active(CInstance* input, CInstance* other, const Value& binding, int mode, Value& value) {
    const auto element = [&](int i) {
        return Call(input, other, FN_ds_list_find_value, binding, Value(i));
    };
    const int kind = int(Real(element(0)));
    const Value code = element(1);
    if (mode == RawAxis && kind != binding::GamepadAxis) return false;
    switch (kind) {
    case binding::Key:
        return bool(Call(
            input, other,
            ForMode(mode, FN_keyboard_check, FN_keyboard_check_pressed, FN_keyboard_check_released),
            code));
    case binding::GamepadButton:
        return ForConnectedPads(input, other, PadFilter(input, other), [&](const Value& device) {
            return bool(Call(input, other,
                             ForMode(mode, FN_gamepad_button_check, FN_gamepad_button_check_pressed,
                                     FN_gamepad_button_check_released),
                             device, code));
        });
    case binding::GamepadAxis: {
        const double direction = Real(element(2));
        return ForConnectedPads(input, other, PadFilter(input, other), [&](const Value& device) {
            Call(input, other, FN_gamepad_set_axis_deadzone, device, Value(0.5));
            value = Call(input, other, FN_gamepad_axis_value, device, code);
            if (mode == RawAxis) return true;
            const double before = Sign(Previous(input, other, SLOT_previous_axis_map, device, code));
            return Happens(mode, Sign(Real(value)) == direction, before == direction);
        });
    }
    case binding::GamepadHat: {
        const int mask = int(Real(element(2)));
        return ForConnectedPads(input, other, PadFilter(input, other), [&](const Value& device) {
            const int now = int(Real(Call(input, other, FN_gamepad_hat_value, device, code)));
            const int before = int(Previous(input, other, SLOT_previous_hat_map, device, code));
            return Happens(mode, (now & mask) != 0, (before & mask) != 0);
        });
    }
    default: return false; // a mouse binding has no reader; a waiting slot is empty
    }
}

// The key repeat: on the press, then after `delay` frames held and every `speed` frames after.
Value Repeats(CInstance* input, CInstance* other, const RValue& action, const Value& time, int argc,
              RValue** argv) {
    const Value speed = argc > 3 ? Value(*argv[2]) : Value(Global(SLOT_key_repeat_speed));
    const Value delay = argc > 3 ? Value(*argv[3]) : Value(Global(SLOT_key_repeat_delay));
    if (time >= delay && (time - delay) % speed == Value(0)) return Value(1);
    return CallScript(psl_Script_input_pressed, input, other, action);
}

// input_read's body, run by oInput: the first active binding answers.
Value Read(CInstance* input, CInstance* other, int argc, RValue** argv) {
    const RValue& action = Argument(argc, argv, 0);
    const int mode = int(Real(Argument(argc, argv, 1)));
    const Value key = Call(input, other, FN_string, action);
    if (mode == HeldTime || mode == PressedRepeat) {
        const Value time =
            Call(input, other, FN_ds_map_find_value, Var(input, SLOT_held_time_map), key);
        return mode == HeldTime ? time : Repeats(input, other, action, time, argc, argv);
    }
    const Value bindings = Call(input, other, FN_ds_map_find_value, Var(input, SLOT_actions), key);
    for (double b = 0; b < Real(Call(input, other, FN_ds_list_size, bindings)); ++b) {
        Value value;
        if (Active(input, other, Call(input, other, FN_ds_list_find_value, bindings, Value(b)),
                   mode, value))
            return mode == RawAxis ? value : Value(1);
    }
    return Value(0);
}

// input_<mode>(action): input_read(action, mode).
RValue* ReadMode(const char* name, int mode, CInstance* self, CInstance* other, RValue* result,
                 int argc, RValue** argv) {
    ScriptFrame frame(name, result);
    Assign(*result,
           CallScript(psl_Script_input_read, self, other, Argument(argc, argv, 0), Value(mode)));
    return result;
}

} // namespace

// input_read(action, mode[, speed, delay]): 0 while there is no oInput.
RValue* psl_Script_input_read(CInstance* self, CInstance* other, RValue* result, int argc,
                              RValue** argv) {
    ScriptFrame frame("psl_Script_input_read", result);
    With(self, other, oInput, [&](CInstance* input, CInstance* caller) {
        Assign(*result, Read(input, caller, argc, argv));
    });
    return result;
}

RValue* psl_Script_input_held(CInstance* self, CInstance* other, RValue* result, int argc,
                              RValue** argv) {
    return ReadMode("psl_Script_input_held", Held, self, other, result, argc, argv);
}

RValue* psl_Script_input_pressed(CInstance* self, CInstance* other, RValue* result, int argc,
                                 RValue** argv) {
    return ReadMode("psl_Script_input_pressed", Pressed, self, other, result, argc, argv);
}

RValue* psl_Script_input_released(CInstance* self, CInstance* other, RValue* result, int argc,
                                  RValue** argv) {
    return ReadMode("psl_Script_input_released", Released, self, other, result, argc, argv);
}

RValue* psl_Script_input_held_time(CInstance* self, CInstance* other, RValue* result, int argc,
                                   RValue** argv) {
    return ReadMode("psl_Script_input_held_time", HeldTime, self, other, result, argc, argv);
}

RValue* psl_Script_input_raw_axis(CInstance* self, CInstance* other, RValue* result, int argc,
                                  RValue** argv) {
    return ReadMode("psl_Script_input_raw_axis", RawAxis, self, other, result, argc, argv);
}

// input_pressed_repeat(action[, speed, delay]): the globals' repeat unless both are given.
RValue* psl_Script_input_pressed_repeat(CInstance* self, CInstance* other, RValue* result, int argc,
                                        RValue** argv) {
    ScriptFrame frame("psl_Script_input_pressed_repeat", result);
    const RValue& action = Argument(argc, argv, 0);
    Assign(*result, argc == 3 ? CallScript(psl_Script_input_read, self, other, action,
                                           Value(PressedRepeat), *argv[1], *argv[2])
                              : CallScript(psl_Script_input_read, self, other, action,
                                           Value(PressedRepeat)));
    return result;
}

// input_set_gamepad(device): the device the calling instance reads in multiplayer.
RValue* psl_Script_input_set_gamepad(CInstance* self, CInstance* other, RValue* result, int argc,
                                     RValue** argv) {
    ScriptFrame frame("psl_Script_input_set_gamepad", result);
    const Value id = BuiltinVar(self, VAR_id);
    With(self, other, oInput, [&](CInstance* input, CInstance* caller) {
        Call(input, caller, FN_ds_map_set, Var(input, SLOT_gpad_map), id, Argument(argc, argv, 0));
    });
    return result;
}
