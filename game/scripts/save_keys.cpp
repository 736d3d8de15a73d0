// The input bindings in the options file: three entries a binding, numbered per action in list
// order ("Action_4_Kind_0", "Action_4_Input_0", "Action_4_Axis_0").
#include <string>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputBinding.h"
#include "scripts/SavedBindings.h"

namespace {

struct KindName {
    int kind;
    const char* name;
};
// Mouse bindings and waiting slots are never saved.
constexpr KindName kKindNames[] = {{binding::Key, "Key"},
                                   {binding::GamepadButton, "GamepadButton"},
                                   {binding::GamepadAxis, "GamepadAxis"},
                                   {binding::GamepadHat, "GamepadHat"}};

const char* KindNameOf(int kind) {
    for (const KindName& entry : kKindNames)
        if (entry.kind == kind) return entry.name;
    return nullptr;
}

int KindNamed(const std::string& name) {
    for (const KindName& entry : kKindNames)
        if (name == entry.name) return entry.kind;
    return -1;
}

std::string EntryName(const RValue& action, const char* field, int index) {
    return "Action_" + ValueText(action) + "_" + field + "_" + std::to_string(index);
}

double ListSize(CInstance* self, CInstance* other, const RValue& list) {
    return Real(Call(self, other, FN_ds_list_size, list));
}

Value ListItem(CInstance* self, CInstance* other, const RValue& list, double index) {
    return Call(self, other, FN_ds_list_find_value, list, Value(index));
}

// Calls visit(input, action, bindings) for each action of oInput, in definition order.
template <typename Visit>
void ForEachAction(CInstance* self, CInstance* other, Visit visit) {
    With(self, other, oInput, [&](CInstance* input, CInstance*) {
        const Value actions = Var(input, SLOT_action_list);
        for (double a = 0; a < ListSize(input, other, actions); ++a) {
            const Value action = ListItem(input, other, actions, a);
            visit(input, action, Call(input, other, FN_ds_map_find_value, Var(input, SLOT_actions), action));
        }
    });
}

} // namespace

bool SavedBindingsFit(CInstance* self, CInstance* other, const RValue& map) {
    bool fit = true;
    ForEachAction(self, other, [&](CInstance* input, const Value& action, const Value&) {
        for (int i = 0; fit && Call(input, other, FN_ds_map_exists, map, Value(EntryName(action, "Kind", i))); ++i) {
            const Value kind = Call(input, other, FN_ds_map_find_value, map, Value(EntryName(action, "Kind", i)));
            fit = Call(input, other, FN_is_string, kind) && KindNamed(ValueText(kind)) >= 0;
            for (const char* field : {"Input", "Axis"})
                fit = fit && Call(input, other, FN_is_real,
                                  Call(input, other, FN_ds_map_find_value, map, Value(EntryName(action, field, i))));
        }
    });
    return fit;
}

// save_keys(map): every saved binding as three globals, copied into the map.
RValue* psl_Script_save_keys(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_save_keys", result);
    const Value map = Argument(argc, argv, 0);
    ForEachAction(self, other, [&](CInstance* input, const Value& action, const Value& bindings) {
        int saved = 0;
        for (double b = 0; b < ListSize(input, other, bindings); ++b) {
            const Value entry = ListItem(input, other, bindings, b);
            const int kind = int(Real(ListItem(input, other, entry, 0)));
            const char* kind_name = KindNameOf(kind);
            if (!kind_name) continue;
            const bool paired = kind == binding::GamepadAxis || kind == binding::GamepadHat;
            const std::pair<const char*, Value> fields[] = {
                {"Kind", Value(kind_name)},
                {"Input", ListItem(input, other, entry, 1)},
                {"Axis", paired ? ListItem(input, other, entry, 2) : Value(0)}};
            for (const auto& [field, value] : fields) {
                const Value name(EntryName(action, field, saved));
                Call(input, other, FN_variable_global_set, name, value);
                CallScript(psl_Script_set_map_global, input, other, map, name);
            }
            ++saved;
        }
    });
    return result;
}

// load_keys(map): each action's bindings as the map gives them, in their saved order; the first
// missing index ends an action's list. An entry that makes no binding is skipped, and an action
// the map leaves without any binding gets its default ones, so no action is ever lost.
RValue* psl_Script_load_keys(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_load_keys", result);
    const Value map = Argument(argc, argv, 0);
    ForEachAction(self, other, [&](CInstance* input, const Value& action, const Value& bindings) {
        ClearBindings(input, other, bindings);
        for (int i = 0; Call(input, other, FN_ds_map_exists, map, Value(EntryName(action, "Kind", i))); ++i) {
            Value values[3];
            const char* fields[] = {"Kind", "Input", "Axis"};
            for (int f = 0; f < 3; ++f) {
                const Value name(EntryName(action, fields[f], i));
                CallScript(psl_Script_get_map_global, input, other, map, name);
                values[f] = Call(input, other, FN_variable_global_get, name);
            }
            const Value number = Call(input, other, FN_real, action);
            const Value& code = values[1];
            const Value& axis = values[2];
            switch (KindNamed(ValueText(values[0]))) {
            case binding::Key: CallScript(psl_Script_input_assign_key, input, other, number, code); break;
            case binding::GamepadButton:
                CallScript(psl_Script_input_assign_gamepad_button, input, other, number, code);
                break;
            case binding::GamepadAxis:
                CallScript(psl_Script_input_assign_gamepad_axis, input, other, number, code, axis);
                break;
            case binding::GamepadHat:
                CallScript(psl_Script_input_assign_gamepad_hat, input, other, number, code, axis);
                break;
            default: break;
            }
        }
        if (ListSize(input, other, bindings) == 0)
            CallScript(psl_Script_input_default_bindings, input, other, Call(input, other, FN_real, action));
    });
    return result;
}
