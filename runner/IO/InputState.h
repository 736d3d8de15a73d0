// The runner's one keyboard and mouse, read by the input built-ins and the keyboard and mouse
// events, written by the window's events (or by a replay) and updated at the start of each step.
#pragma once

#include "IO/KeyboardState.h"
#include "IO/MouseState.h"

struct InputState {
    KeyboardState keyboard;
    MouseState mouse;
    // The window lost the keyboard focus since the step before.
    bool focus_lost = false;
};

InputState& RunnerInput();
// Nothing held, pressed or released: after a message box, on focus loss and on restart.
void ClearInput();
// Device 0's position in the running room through its views, or in the picture when no room
// runs.
PointF MouseInRoom();
