// The gamepad built-ins and the gp_* constants by name. A slot outside the table reads 0 and
// changes nothing.
#include "IO/GamepadFunctions.h"

#include <algorithm>

#include "Code/Builtins.h"
#include "Code/GameConstants.h"
#include "Code/RuntimeError.h"
#include "IO/GamepadConstants.h"
#include "IO/GamepadLayer.h"
#include "Variable/BuiltinArgs.h"

namespace {

GamepadSlot* SlotArg(const RValue* args) {
    return RunnerGamepads().Slot(ArgInt32(args, 0));
}

void gamepad_is_supported(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, 1);
}

void gamepad_get_device_count(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, RunnerGamepads().SlotCount());
}

void gamepad_is_connected(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    GamepadSlot* slot = SlotArg(args);
    SetReal(result, slot && slot->Connected());
}

void gamepad_get_description(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    GamepadSlot* slot = SlotArg(args);
    MakeString(result, slot ? std::string_view(slot->State().description) : std::string_view());
}

template <int32_t (GamepadSlot::*Count)() const>
void SlotCount(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    GamepadSlot* slot = SlotArg(args);
    SetReal(result, slot ? (slot->*Count)() : 0);
}

template <typename T, T (GamepadSlot::*Read)(int32_t) const>
void SlotRead(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    GamepadSlot* slot = SlotArg(args);
    SetReal(result, slot ? double((slot->*Read)(ArgInt32(args, 1))) : 0);
}

void gamepad_set_axis_deadzone(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    FreeValue(result);
    GamepadSlot* slot = SlotArg(args);
    if (!slot) return;
    float dead_zone = ArgFloat(args, 1);
    if (!(dead_zone >= 0 && dead_zone <= 1)) {
        ShowError("Axis dead zone is outside the accepted range", false);
        return;
    }
    slot->dead_zone = dead_zone;
}

template <float GamepadSlot::*Setting>
void SlotSetting(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    GamepadSlot* slot = SlotArg(args);
    SetReal(result, slot ? slot->*Setting : 0);
}

void gamepad_set_button_threshold(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    FreeValue(result);
    if (GamepadSlot* slot = SlotArg(args)) slot->threshold = ArgFloat(args, 1);
}

// Motor levels from 0 to 1, sent to the device with each step's update.
void gamepad_set_vibration(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    FreeValue(result);
    GamepadSlot* slot = SlotArg(args);
    if (!slot) return;
    slot->vibration_left = std::clamp(ArgFloat(args, 1), 0.0f, 1.0f);
    slot->vibration_right = std::clamp(ArgFloat(args, 2), 0.0f, 1.0f);
}

struct NamedGamepadConstant {
    const char* name;
    int32_t value;
};
#define RUNNER_GAMEPAD_CONSTANT_ENTRY(name, value) {#name, value},
constexpr NamedGamepadConstant kGamepadConstants[] = {
    RUNNER_GAMEPAD_CONSTANTS(RUNNER_GAMEPAD_CONSTANT_ENTRY)};
#undef RUNNER_GAMEPAD_CONSTANT_ENTRY

} // namespace

void RegisterGamepadFunctions() {
    for (const NamedGamepadConstant& constant : kGamepadConstants)
        RegisterConstant(constant.name, constant.value);
    RegisterBuiltin("gamepad_is_supported", gamepad_is_supported, 0);
    RegisterBuiltin("gamepad_get_device_count", gamepad_get_device_count, 0);
    RegisterBuiltin("gamepad_is_connected", gamepad_is_connected, 1);
    RegisterBuiltin("gamepad_get_description", gamepad_get_description, 1);
    RegisterBuiltin("gamepad_button_count", SlotCount<&GamepadSlot::ButtonCount>, 1);
    RegisterBuiltin("gamepad_axis_count", SlotCount<&GamepadSlot::AxisCount>, 1);
    RegisterBuiltin("gamepad_hat_count", SlotCount<&GamepadSlot::HatCount>, 1);
    RegisterBuiltin("gamepad_button_check", SlotRead<bool, &GamepadSlot::ButtonHeld>, 2);
    RegisterBuiltin("gamepad_button_check_pressed", SlotRead<bool, &GamepadSlot::ButtonPressed>, 2);
    RegisterBuiltin("gamepad_button_check_released", SlotRead<bool, &GamepadSlot::ButtonReleased>,
                    2);
    RegisterBuiltin("gamepad_button_value", SlotRead<float, &GamepadSlot::ButtonValue>, 2);
    RegisterBuiltin("gamepad_axis_value", SlotRead<float, &GamepadSlot::AxisValue>, 2);
    RegisterBuiltin("gamepad_hat_value", SlotRead<int32_t, &GamepadSlot::HatValue>, 2);
    RegisterBuiltin("gamepad_set_axis_deadzone", gamepad_set_axis_deadzone, 2);
    RegisterBuiltin("gamepad_get_axis_deadzone", SlotSetting<&GamepadSlot::dead_zone>, 1);
    RegisterBuiltin("gamepad_set_button_threshold", gamepad_set_button_threshold, 2);
    RegisterBuiltin("gamepad_get_button_threshold", SlotSetting<&GamepadSlot::threshold>, 1);
    RegisterBuiltin("gamepad_set_vibration", gamepad_set_vibration, 3);
}
