// The controls as characters name them: global.controls_up, _down, _left, _right and _jump hold
// an action's first two keys and its first gamepad input (as a button glyph), so a line such as
// "Jump with {print global.controls_jump}!" reads right after any rebinding.
#include <string>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputBinding.h"

namespace {

constexpr int kKeysNamed = 2;

std::string ActionText(CInstance* input, CInstance* other, int action) {
    const Value bindings =
        Call(input, other, FN_ds_map_find_value, Var(input, SLOT_actions), Call(input, other, FN_string, Value(action)));
    std::string keys, pad;
    int named = 0;
    const double count = Real(Call(input, other, FN_ds_list_size, bindings));
    for (double i = 0; i < count; ++i) {
        const Value binding = Call(input, other, FN_ds_list_find_value, bindings, Value(i));
        const int kind = int(Real(Call(input, other, FN_ds_list_find_value, binding, Value(0))));
        if (kind == binding::Mouse || kind == binding::Wait) continue;
        const std::string name = ValueText(CallScript(psl_Script_input_string_sprite, input, other, binding));
        if (kind != binding::Key) {
            if (pad.empty()) pad = name;
        } else if (named++ < kKeysNamed) {
            keys += (keys.empty() ? "" : ", ") + name;
        }
    }
    if (keys.empty() || pad.empty()) return keys + pad;
    return keys + " or " + pad;
}

} // namespace

// controls_refresh(): the controls' names, as bound now.
RValue* psl_Script_controls_refresh(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_controls_refresh", result);
    const std::pair<int32_t, int> controls[] = {
        {SLOT_controls_up, 0}, {SLOT_controls_down, 1}, {SLOT_controls_left, 2}, {SLOT_controls_right, 3}, {SLOT_controls_jump, 4}};
    With(self, other, oInput, [&](CInstance* input, CInstance* caller) {
        for (const auto& [slot, action] : controls) Assign(Global(slot), Value(ActionText(input, caller, action)));
    });
    return result;
}
