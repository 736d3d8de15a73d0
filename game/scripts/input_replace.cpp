// input_replace(action, kinds...): removes the action's bindings of those kinds (waiting slots
// stay), so that what the player chooses next takes their place. The pause menu's controls page
// uses it: a key replaces the action's keys, a gamepad input its gamepad bindings.
#include "CodeTable.h"
#include "GameNames.h"

RValue* psl_Script_input_replace(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_input_replace", result);
    With(self, other, oInput, [&](CInstance* input, CInstance* caller) {
        const Value bindings = Call(input, caller, FN_ds_map_find_value, Var(input, SLOT_actions),
                                    Call(input, caller, FN_string, Argument(argc, argv, 0)));
        for (double i = Real(Call(input, caller, FN_ds_list_size, bindings)) - 1; i >= 0; --i) {
            const Value binding = Call(input, caller, FN_ds_list_find_value, bindings, Value(i));
            const Value kind = Call(input, caller, FN_ds_list_find_value, binding, Value(0));
            for (int k = 1; k < argc; ++k)
                if (kind == *argv[k]) {
                    Call(input, caller, FN_ds_list_destroy, binding);
                    Call(input, caller, FN_ds_list_delete, bindings, Value(i));
                    break;
                }
        }
    });
    return result;
}
