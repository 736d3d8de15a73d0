// The keyboard and mouse events of a step, from the state its update made current.
#pragma once

// Keyboard (held), key press and key release events by key code, then the mouse events: the
// button events of instances under the pointer, the global button events and the wheel. Stops
// once a room change is pending.
void RunKeyboardAndMouseEvents();
