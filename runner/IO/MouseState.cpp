#include "IO/MouseState.h"

#include <cstddef>

void MouseState::Move(double x, double y) {
    window_x_ = x;
    window_y_ = y;
}

void MouseState::Button(int32_t button, bool down) {
    if (button < 0 || button >= MOUSE_BUTTON_COUNT) return;
    const auto i = size_t(button);
    if (down && !pending_.held[i]) pending_.pressed[i] = 1;
    if (!down && pending_.held[i]) pending_.released[i] = 1;
    pending_.held[i] = down;
}

void MouseState::Wheel(int32_t steps) {
    if (steps > 0) pending_.wheel_up = true;
    if (steps < 0) pending_.wheel_down = true;
}

void MouseState::StepUpdate(const ScreenLayout& layout) {
    current_.position = WindowToPicture(layout, window_x_, window_y_);
    current_.picture_width = layout.surface_width;
    current_.picture_height = layout.surface_height;
    current_.held = pending_.held;
    current_.pressed = pending_.pressed;
    current_.released = pending_.released;
    current_.wheel_up = pending_.wheel_up;
    current_.wheel_down = pending_.wheel_down;
    pending_.pressed.fill(0);
    pending_.released.fill(0);
    pending_.wheel_up = pending_.wheel_down = false;
}

void MouseState::Clear() {
    for (MouseSnapshot* state : {&current_, &pending_}) {
        state->held.fill(0);
        state->pressed.fill(0);
        state->released.fill(0);
        state->wheel_up = state->wheel_down = false;
    }
}

bool MouseState::Check(const ButtonFlags& flags, int32_t button) {
    bool any = false;
    for (uint8_t flag : flags) any |= flag != 0;
    if (button == MB_ANY) return any;
    if (button == MB_NONE) return !any;
    return button >= 1 && button <= MOUSE_BUTTON_COUNT && flags[size_t(button - 1)] != 0;
}
