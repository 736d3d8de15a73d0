// Capturing the next input the player gives, for a screen that rebinds an action: called once a
// frame while a binding waits, each reports what went down this frame.
#include <optional>
#include <utility>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputDevices.h"

namespace {

using namespace input_devices;

// Faces, start and select, stick presses, shoulders and triggers, then the pad.
constexpr int kButtons[] = {gp_face1,     gp_face2,     gp_face3,      gp_face4,
                            gp_start,     gp_select,    gp_stickl,     gp_stickr,
                            gp_shoulderl, gp_shoulderr, gp_shoulderlb, gp_shoulderrb,
                            gp_padu,      gp_padd,      gp_padl,       gp_padr};
constexpr int kHatMasks[] = {1, 2, 4, 8};

using Pair = std::optional<std::pair<double, double>>;

// Runs find(input, caller, device) in oInput's context on each connected device until it finds a
// pair, which becomes the two-element array [input, value]. Until then the result is -1, as for
// the buttons, so that a caller tests one number for "nothing yet".
template <typename Find>
void FindPair(CInstance* self, CInstance* other, RValue* result, Find find) {
    Assign(*result, Value(-1));
    With(self, other, oInput, [&](CInstance* input, CInstance* caller) {
        ForConnectedPads(input, caller, -1, [&](const Value& device) {
            const Pair found = find(input, caller, device);
            if (!found) return false;
            AssignElement(*result, 0, Value(found->first));
            AssignElement(*result, 1, Value(found->second));
            return true;
        });
    });
}

} // namespace

// input_any_key(): the key pressed this frame, else 0.
RValue* psl_Script_input_any_key(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_input_any_key", result);
    if (Call(self, other, FN_keyboard_check_pressed, Value(vk_anykey)))
        Assign(*result, BuiltinVar(self, VAR_keyboard_key));
    return result;
}

// input_any_gamepad_button(): the first button pressed this frame on any device, else -1.
RValue* psl_Script_input_any_gamepad_button(CInstance* self, CInstance* other, RValue* result, int,
                                            RValue**) {
    ScriptFrame frame("psl_Script_input_any_gamepad_button", result);
    Assign(*result, Value(-1));
    ForConnectedPads(self, other, -1, [&](const Value& device) {
        for (int button : kButtons)
            if (Call(self, other, FN_gamepad_button_check_pressed, device, Value(button))) {
                Assign(*result, Value(button));
                return true;
            }
        return false;
    });
    return result;
}

// input_any_gamepad_axis(): [axis, direction] of a stick pushed past half way this frame, else -1.
RValue* psl_Script_input_any_gamepad_axis(CInstance* self, CInstance* other, RValue* result, int,
                                          RValue**) {
    ScriptFrame frame("psl_Script_input_any_gamepad_axis", result);
    FindPair(self, other, result,
             [](CInstance* input, CInstance* caller, const Value& device) -> Pair {
                 for (int axis : kAxes) {
                     const double now =
                         Real(Call(input, caller, FN_gamepad_axis_value, device, Value(axis)));
                     const double before =
                         Previous(input, caller, SLOT_previous_axis_map, device, Value(axis));
                     if (Abs(now) > 0.5 && before * Sign(now) <= 0.5)
                         return std::pair{double(axis), Sign(now)};
                 }
                 return std::nullopt;
             });
    return result;
}

// input_any_gamepad_hat(): [hat, mask] of a hat direction pushed this frame, else -1.
RValue* psl_Script_input_any_gamepad_hat(CInstance* self, CInstance* other, RValue* result, int,
                                         RValue**) {
    ScriptFrame frame("psl_Script_input_any_gamepad_hat", result);
    FindPair(self, other, result,
             [](CInstance* input, CInstance* caller, const Value& device) -> Pair {
                 const double hats = Real(Call(input, caller, FN_gamepad_hat_count, device));
                 for (double hat = 0; hat < hats; ++hat) {
                     const int now =
                         int(Real(Call(input, caller, FN_gamepad_hat_value, device, Value(hat))));
                     const int before =
                         int(Previous(input, caller, SLOT_previous_hat_map, device, Value(hat)));
                     for (int mask : kHatMasks)
                         if ((now & mask) && !(before & mask)) return std::pair{hat, double(mask)};
                 }
                 return std::nullopt;
             });
    return result;
}
