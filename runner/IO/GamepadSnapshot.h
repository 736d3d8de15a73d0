// What the game can read of the gamepads in one step: per slot, whether a device is connected
// and its button, axis and hat values. A recording stores one snapshot per step (taken with
// GamepadTable::Snapshot after the step's update) and a replay hands it back with
// GamepadTable::Apply in place of the devices, which posts the same connection events the
// devices did. Settings the game makes (dead zone, threshold, vibration) are not in it: the
// replayed game makes them again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GamepadValues {
    std::vector<float> buttons; // 0 to 1
    std::vector<float> axes;    // −1 to 1
    std::vector<int32_t> hats;  // bits: up 1, right 2, down 4, left 8
    bool operator==(const GamepadValues&) const = default;
};

struct GamepadSlotState {
    bool connected = false;
    // The standard slots' layout (16 buttons, 4 axes, no hats, the fixed constants); otherwise
    // the constants read through `mapping`.
    bool standard = false;
    std::string description;
    std::string mapping; // in SDL's text format; "" maps no constant
    GamepadValues values;
    bool operator==(const GamepadSlotState&) const = default;
};

// One entry per slot, slot 0 first.
using GamepadSnapshot = std::vector<GamepadSlotState>;
