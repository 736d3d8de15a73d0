// The keyboard and mouse built-ins and variables, and the key and button constants by name.
#include "IO/InputFunctions.h"

#include <cmath>

#include "Code/Builtins.h"
#include "Code/GameConstants.h"
#include "Code/ValueConvert.h"
#include "Code/ValueText.h"
#include "IO/InputConstants.h"
#include "IO/InputState.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

template <bool (KeyboardState::*Check)(int32_t) const>
void KeyboardCheck(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, (RunnerInput().keyboard.*Check)(ArgInt32(args, 0)));
}

template <bool (MouseState::*Check)(int32_t) const>
void MouseCheck(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, (RunnerInput().mouse.*Check)(ArgInt32(args, 0)));
}

void keyboard_set_map(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    RunnerInput().keyboard.SetMap(ArgInt32(args, 0), ArgInt32(args, 1));
    FreeValue(result);
}

void io_clear(RValue& result, CInstance*, CInstance*, int, RValue*) {
    ClearInput();
    FreeValue(result);
}

void mouse_wheel_up(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, RunnerInput().mouse.Current().wheel_up);
}

void mouse_wheel_down(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, RunnerInput().mouse.Current().wheel_down);
}

bool GetKeyboardKey(CInstance*, int32_t, RValue* result) {
    SetReal(*result, RunnerInput().keyboard.Current().key);
    return true;
}
bool SetKeyboardKey(CInstance*, int32_t, const RValue* value) {
    RunnerInput().keyboard.SetKey(ToInt32(*value));
    return true;
}
bool GetKeyboardLastKey(CInstance*, int32_t, RValue* result) {
    SetReal(*result, RunnerInput().keyboard.Current().last_key);
    return true;
}
bool SetKeyboardLastKey(CInstance*, int32_t, const RValue* value) {
    RunnerInput().keyboard.SetLastKey(ToInt32(*value));
    return true;
}
bool GetKeyboardString(CInstance*, int32_t, RValue* result) {
    MakeString(*result, std::string_view(RunnerInput().keyboard.Current().text));
    return true;
}
bool SetKeyboardString(CInstance*, int32_t, const RValue* value) {
    RunnerInput().keyboard.SetText(ValueText(*value));
    return true;
}

bool GetMouseX(CInstance*, int32_t, RValue* result) {
    SetReal(*result, std::floor(MouseInRoom().x));
    return true;
}
bool GetMouseY(CInstance*, int32_t, RValue* result) {
    SetReal(*result, std::floor(MouseInRoom().y));
    return true;
}
// The button held now, the first of left, right and middle; 0 for none.
bool GetMouseButton(CInstance*, int32_t, RValue* result) {
    int32_t held = MB_NONE;
    for (int32_t button = MOUSE_BUTTON_COUNT; button >= 1; --button)
        if (RunnerInput().mouse.Held(button)) held = button;
    SetReal(*result, held);
    return true;
}

constexpr NamedConstant kInputConstants[] = {RUNNER_INPUT_CONSTANTS(RUNNER_NAMED_CONSTANT)};

} // namespace

void RegisterInputConstants() { RegisterConstants(kInputConstants); }

void RegisterInputFunctions() {
    RegisterInputConstants();
    RegisterBuiltin("keyboard_check", KeyboardCheck<&KeyboardState::Held>, 1);
    RegisterBuiltin("keyboard_check_pressed", KeyboardCheck<&KeyboardState::Pressed>, 1);
    RegisterBuiltin("keyboard_check_released", KeyboardCheck<&KeyboardState::Released>, 1);
    RegisterBuiltin("keyboard_set_map", keyboard_set_map, 2);
    RegisterBuiltin("io_clear", io_clear, 0);
    RegisterBuiltin("mouse_check_button", MouseCheck<&MouseState::Held>, 1);
    RegisterBuiltin("mouse_check_button_pressed", MouseCheck<&MouseState::Pressed>, 1);
    RegisterBuiltin("mouse_check_button_released", MouseCheck<&MouseState::Released>, 1);
    RegisterBuiltin("mouse_wheel_up", mouse_wheel_up, 0);
    RegisterBuiltin("mouse_wheel_down", mouse_wheel_down, 0);
}

void RegisterInputVariables() {
    RegisterBuiltinVariable("keyboard_key", GetKeyboardKey, SetKeyboardKey);
    RegisterBuiltinVariable("keyboard_lastkey", GetKeyboardLastKey, SetKeyboardLastKey);
    RegisterBuiltinVariable("keyboard_string", GetKeyboardString, SetKeyboardString);
    RegisterBuiltinVariable("mouse_x", GetMouseX, nullptr);
    RegisterBuiltinVariable("mouse_y", GetMouseY, nullptr);
    RegisterBuiltinVariable("mouse_button", GetMouseButton, nullptr);
}
