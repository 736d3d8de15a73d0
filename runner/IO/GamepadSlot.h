// One gamepad slot as the game reads it: this step's and the previous step's values, read
// through the slot's mapping with its button threshold and axis dead zone, and the settings
// the game makes. Buttons, axes and hats that do not exist read 0.
#pragma once

#include <cstdint>
#include <string>

#include "IO/GamepadMapping.h"
#include "IO/GamepadSnapshot.h"

// The dead zone rule, in 32-bit floats: inside it 0, beyond it rescaled to reach 1 at the end.
float ApplyDeadZone(float value, float dead_zone);

class GamepadSlot {
public:
    static constexpr float kDefaultThreshold = 0.5f;

    // The step's new state; the values it replaces become the previous ones.
    void Take(const GamepadSlotState& state);
    const GamepadSlotState& State() const { return state_; }
    bool Connected() const { return state_.connected; }

    float ButtonValue(int32_t button) const { return Read(mapping_.Button(button), state_.values); }
    bool ButtonHeld(int32_t button) const;
    bool ButtonPressed(int32_t button) const;
    bool ButtonReleased(int32_t button) const;
    float AxisValue(int32_t axis) const;
    int32_t HatValue(int32_t hat) const;
    int32_t ButtonCount() const { return int32_t(state_.values.buttons.size()); }
    int32_t AxisCount() const { return int32_t(state_.values.axes.size()); }
    int32_t HatCount() const { return int32_t(state_.values.hats.size()); }

    float threshold = kDefaultThreshold;
    float dead_zone = 0;
    float vibration_left = 0;
    float vibration_right = 0;

private:
    static float Read(const GamepadSource& source, const GamepadValues& values);

    GamepadSlotState state_;
    GamepadValues previous_;
    // What the mapping was made from.
    bool mapped_standard_ = false;
    std::string mapped_text_;
    GamepadMapping mapping_ = GamepadMapping::FromText("");
};
