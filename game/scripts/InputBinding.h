// What a binding of an input action is: a list whose element 0 is one of these kinds, element 1
// the physical input and, for sticks and hats, element 2 the direction or hat mask.
#pragma once

namespace binding {

inline constexpr int Key = 0;
inline constexpr int Mouse = 1;
inline constexpr int GamepadButton = 2;
inline constexpr int GamepadAxis = 3;
inline constexpr int GamepadHat = 4;
inline constexpr int Wait = 5; // an empty slot waiting for the player's choice

} // namespace binding
