// Built-ins of the window and the display: size, centring, full screen, focus and the display's
// size.
// Without a window (some tests) they do nothing and the display measures 0 by 0.
#include "Function/BuiltinGroups.h"

#include "Code/Builtins.h"
#include "IO/InputState.h"
#include "Run/WindowControl.h"
#include "Variable/BuiltinArgs.h"

namespace {

void window_set_size(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (WindowControl* control = ActiveWindowControl()) control->RequestSize(ArgInt32(args, 0), ArgInt32(args, 1));
    FreeValue(result);
}

void window_center(RValue& result, CInstance*, CInstance*, int, RValue*) {
    if (WindowControl* control = ActiveWindowControl()) control->Center();
    FreeValue(result);
}

void window_set_fullscreen(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (WindowControl* control = ActiveWindowControl()) control->SetFullScreen(ArgBool(args, 0));
    FreeValue(result);
}

void window_get_fullscreen(RValue& result, CInstance*, CInstance*, int, RValue*) {
    WindowControl* control = ActiveWindowControl();
    SetBool(result, control && control->FullScreen());
}

// True in the step after the window lost the keyboard focus (in a replay: as recorded), so
// that a game can pause itself while the player is away.
void window_focus_lost(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetBool(result, RunnerInput().focus_lost);
}

void DisplaySize(int& width, int& height) {
    width = height = 0;
    if (WindowControl* control = ActiveWindowControl()) control->DisplaySize(width, height);
}

void display_get_width(RValue& result, CInstance*, CInstance*, int, RValue*) {
    int width, height;
    DisplaySize(width, height);
    SetReal(result, width);
}

void display_get_height(RValue& result, CInstance*, CInstance*, int, RValue*) {
    int width, height;
    DisplaySize(width, height);
    SetReal(result, height);
}

} // namespace

void RegisterWindowFunctions() {
    RegisterBuiltin("window_set_size", window_set_size, 2);
    RegisterBuiltin("window_center", window_center, 0);
    RegisterBuiltin("window_set_fullscreen", window_set_fullscreen, 1);
    RegisterBuiltin("window_get_fullscreen", window_get_fullscreen, 0);
    RegisterBuiltin("window_focus_lost", window_focus_lost, 0);
    RegisterBuiltin("display_get_width", display_get_width, 0);
    RegisterBuiltin("display_get_height", display_get_height, 0);
}
