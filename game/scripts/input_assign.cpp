// Defining input actions and binding physical inputs to them.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputBinding.h"

namespace {

// The action's list of bindings; `self` is the oInput instance.
Value Bindings(CInstance* self, CInstance* other, const RValue& action) {
    return Call(self, other, FN_ds_map_find_value, Var(self, SLOT_actions), Call(self, other, FN_string, action));
}

// One binding of `kind` per input (or per pair with `pair`): a waiting slot is filled first,
// otherwise a new binding goes at the end.
void AssignInputs(CInstance* self, CInstance* other, int kind, bool pair, int argc, RValue** argv) {
    const int step = pair ? 2 : 1;
    With(self, other, oInput, [&](CInstance* input, CInstance*) {
        const Value bindings = Bindings(input, other, Argument(argc, argv, 0));
        for (int i = 1; i + step - 1 < argc; i += step) {
            Value waiting(-1);
            const double count = Real(Call(input, other, FN_ds_list_size, bindings));
            for (double b = 0; b < count; ++b) {
                const Value candidate = Call(input, other, FN_ds_list_find_value, bindings, Value(b));
                if (Call(input, other, FN_ds_list_find_value, candidate, Value(0)) == Value(binding::Wait)) {
                    waiting = candidate;
                    break;
                }
            }
            if (waiting == Value(-1)) {
                const Value created = pair ? CallScript(psl_Script_list_create, input, other, Value(kind), *argv[i], *argv[i + 1])
                                           : CallScript(psl_Script_list_create, input, other, Value(kind), *argv[i]);
                Call(input, other, FN_ds_list_add, bindings, created);
                continue;
            }
            Call(input, other, FN_ds_list_replace, waiting, Value(0), Value(kind));
            Call(input, other, FN_ds_list_add, waiting, *argv[i]);
            if (pair) Call(input, other, FN_ds_list_add, waiting, *argv[i + 1]);
        }
    });
}

} // namespace

// input_define_action(action): an action with no bindings, held for 0 frames.
RValue* psl_Script_input_define_action(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_input_define_action", result);
    const Value key = Call(self, other, FN_string, Argument(argc, argv, 0));
    Call(self, other, FN_ds_map_add_list, Var(self, SLOT_actions), key, Call(self, other, FN_ds_list_create));
    Call(self, other, FN_ds_list_add, Var(self, SLOT_action_list), key);
    Call(self, other, FN_ds_map_set, Var(self, SLOT_held_time_map), key, Value(0));
    return result;
}

// input_assign_key(action, key, key...)
RValue* psl_Script_input_assign_key(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_input_assign_key", result);
    AssignInputs(self, other, binding::Key, false, argc, argv);
    return result;
}

// input_assign_gamepad_button(action, button, button...)
RValue* psl_Script_input_assign_gamepad_button(CInstance* self, CInstance* other, RValue* result, int argc,
                                               RValue** argv) {
    ScriptFrame frame("psl_Script_input_assign_gamepad_button", result);
    AssignInputs(self, other, binding::GamepadButton, false, argc, argv);
    return result;
}

// input_assign_gamepad_axis(action, axis, direction, axis, direction...)
RValue* psl_Script_input_assign_gamepad_axis(CInstance* self, CInstance* other, RValue* result, int argc,
                                             RValue** argv) {
    ScriptFrame frame("psl_Script_input_assign_gamepad_axis", result);
    AssignInputs(self, other, binding::GamepadAxis, true, argc, argv);
    return result;
}

// input_assign_gamepad_hat(action, hat, mask, hat, mask...)
RValue* psl_Script_input_assign_gamepad_hat(CInstance* self, CInstance* other, RValue* result, int argc,
                                            RValue** argv) {
    ScriptFrame frame("psl_Script_input_assign_gamepad_hat", result);
    AssignInputs(self, other, binding::GamepadHat, true, argc, argv);
    return result;
}

// input_assign_wait(action[, slot]): a slot waiting for the player's choice, new at the end or in
// place of the binding at `slot`.
RValue* psl_Script_input_assign_wait(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_input_assign_wait", result);
    With(self, other, oInput, [&](CInstance* input, CInstance*) {
        const Value bindings = Bindings(input, other, Argument(argc, argv, 0));
        if (argc < 2) {
            Call(input, other, FN_ds_list_add, bindings, CallScript(psl_Script_list_create, input, other, Value(binding::Wait)));
            return;
        }
        const Value slot = Call(input, other, FN_ds_list_find_value, bindings, *argv[1]);
        Call(input, other, FN_ds_list_clear, slot);
        Call(input, other, FN_ds_list_add, slot, Value(binding::Wait));
    });
    return result;
}

// input_default_bindings(action): the action's bindings when no options file gives them: keys,
// then the button, the sticks and the hat.
RValue* psl_Script_input_default_bindings(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_input_default_bindings", result);
    const Value action = Argument(argc, argv, 0);
    const auto keys = [&](auto... codes) { CallScript(psl_Script_input_assign_key, self, other, action, Value(codes)...); };
    const auto button = [&](int code) { CallScript(psl_Script_input_assign_gamepad_button, self, other, action, Value(code)); };
    const auto sticks = [&](int axis, int axis2, int direction) {
        CallScript(psl_Script_input_assign_gamepad_axis, self, other, action, Value(axis), Value(direction), Value(axis2),
                   Value(direction));
    };
    const auto hat = [&](int mask) { CallScript(psl_Script_input_assign_gamepad_hat, self, other, action, Value(0), Value(mask)); };
    switch (int(Real(action))) {
    case 0: keys(vk_up, 'W'), button(gp_padu), sticks(gp_axislv, gp_axisrv, -1), hat(1); break;
    case 1: keys(vk_down, 'S'), button(gp_padd), sticks(gp_axislv, gp_axisrv, 1), hat(4); break;
    case 2: keys(vk_left, 'A'), button(gp_padl), sticks(gp_axislh, gp_axisrh, -1), hat(8); break;
    case 3: keys(vk_right, 'D'), button(gp_padr), sticks(gp_axislh, gp_axisrh, 1), hat(2); break;
    case 4: keys(vk_up, vk_space, vk_control, 'Z', 'C', 'X'), button(gp_face1); break;
    case 5: keys(vk_control), button(gp_face2); break;
    default: break;
    }
    return result;
}
