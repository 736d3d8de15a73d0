// The mouse as scripts see it: its position in the game's picture and its three buttons held,
// pressed and released, kept like the keyboard: the window's events write a pending copy and
// the step update makes it current.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "IO/MousePosition.h"

// The buttons by the numbers scripts use (mb_left is 1); mb_any and mb_none test them all.
constexpr int32_t MB_ANY = -1;
constexpr int32_t MB_NONE = 0;
constexpr int32_t MOUSE_BUTTON_COUNT = 3;

using ButtonFlags = std::array<uint8_t, MOUSE_BUTTON_COUNT>;

struct MouseSnapshot {
    PointF position; // in the picture's pixels
    int32_t picture_width = 0, picture_height = 0;
    ButtonFlags held{};
    ButtonFlags pressed{};
    ButtonFlags released{};
    bool wheel_up = false;
    bool wheel_down = false;
    bool operator==(const MouseSnapshot&) const = default;
};

class MouseState {
public:
    // The pointer moved to a position in the window's client area.
    void Move(double x, double y);
    // Button 0 left, 1 right, 2 middle; others are dropped.
    void Button(int32_t button, bool down);
    // Positive: away from the player.
    void Wheel(int32_t steps);

    // Start of a step: the pending state becomes current, the position through `layout`.
    void StepUpdate(const ScreenLayout& layout);
    // No button held, pressed or released; the position stays.
    void Clear();

    // mouse_check_button and friends, by script button number.
    bool Held(int32_t button) const { return Check(current_.held, button); }
    bool Pressed(int32_t button) const { return Check(current_.pressed, button); }
    bool Released(int32_t button) const { return Check(current_.released, button); }

    const MouseSnapshot& Current() const { return current_; }
    void SetCurrent(const MouseSnapshot& snapshot) { current_ = snapshot; }

private:
    static bool Check(const ButtonFlags& flags, int32_t button);

    MouseSnapshot current_;
    MouseSnapshot pending_;
    double window_x_ = 0, window_y_ = 0;
};
