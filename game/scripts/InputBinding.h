// What a binding of an input action is: a list whose element 0 is one of these kinds, element 1
// the physical input and, for sticks and hats, element 2 the direction or hat mask.
#pragma once

#include "CodeTable.h"
#include "GameNames.h"

namespace binding {

inline constexpr int Key = 0;
inline constexpr int Mouse = 1;
inline constexpr int GamepadButton = 2;
inline constexpr int GamepadAxis = 3;
inline constexpr int GamepadHat = 4;
inline constexpr int Wait = 5; // an empty slot waiting for the player's choice

} // namespace binding

// Frees each of an action's bindings and empties its list.
inline void ClearBindings(CInstance* self, CInstance* other, const Value& bindings) {
    const double count = Real(Call(self, other, FN_ds_list_size, bindings));
    for (double b = 0; b < count; ++b)
        Call(self, other, FN_ds_list_destroy, Call(self, other, FN_ds_list_find_value, bindings, Value(b)));
    Call(self, other, FN_ds_list_clear, bindings);
}
