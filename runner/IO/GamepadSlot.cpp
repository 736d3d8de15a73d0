#include "IO/GamepadSlot.h"

#include <algorithm>
#include <cmath>

namespace {

template <typename T>
T At(const std::vector<T>& values, int32_t index) {
    return index >= 0 && size_t(index) < values.size() ? values[size_t(index)] : T{};
}

} // namespace

float ApplyDeadZone(float value, float dead_zone) {
    if (dead_zone <= 0) return value;
    float magnitude = std::fabs(value);
    if (magnitude < dead_zone) return 0;
    float sign = value < 0 ? -1.0f : 1.0f;
    if (dead_zone >= 1) return sign;
    return (magnitude - dead_zone) / (1 - dead_zone) * sign;
}

// A lost slot keeps its mapping, so that what was held reads as released through it.
void GamepadSlot::Take(const GamepadSlotState& state) {
    previous_ = std::move(state_.values);
    state_ = state;
    if (!state.connected || (state.standard == mapped_standard_ && state.mapping == mapped_text_))
        return;
    mapped_standard_ = state.standard;
    mapped_text_ = state.mapping;
    mapping_ =
        state.standard ? GamepadMapping::Standard() : GamepadMapping::FromText(state.mapping);
}

float GamepadSlot::Read(const GamepadSource& source, const GamepadValues& values) {
    using Kind = GamepadSource::Kind;
    switch (source.kind) {
    case Kind::None: return 0;
    case Kind::Button: return At(values.buttons, source.index);
    case Kind::Hat: return (At(values.hats, source.index) & source.hat_mask) != 0 ? 1.0f : 0.0f;
    case Kind::Axis: break;
    }
    float value = At(values.axes, source.index);
    if (source.inverted) value = -value;
    if (source.half != 0) return std::max(value * float(source.half), 0.0f);
    return source.trigger ? (value + 1) / 2 : value;
}

bool GamepadSlot::ButtonHeld(int32_t button) const {
    return ButtonValue(button) >= threshold;
}

bool GamepadSlot::ButtonPressed(int32_t button) const {
    GamepadSource source = mapping_.Button(button);
    return Read(source, state_.values) >= threshold && Read(source, previous_) < threshold;
}

bool GamepadSlot::ButtonReleased(int32_t button) const {
    GamepadSource source = mapping_.Button(button);
    return Read(source, state_.values) < threshold && Read(source, previous_) >= threshold;
}

float GamepadSlot::AxisValue(int32_t axis) const {
    return ApplyDeadZone(Read(mapping_.Axis(axis), state_.values), dead_zone);
}

int32_t GamepadSlot::HatValue(int32_t hat) const {
    return At(state_.values.hats, hat);
}
