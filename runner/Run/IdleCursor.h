// The system pointer over a full-screen game: it hides once the mouse has been still for a
// while, and shows again as soon as it moves or the window leaves full screen.
#pragma once

#include <cstdint>

class Window;

class IdleCursor {
public:
    static constexpr int64_t kHideAfterUs = 2'000'000;

    explicit IdleCursor(Window& window) : window_(window) {}

    void OnMoved(int64_t now_us);
    // Once a frame.
    void Update(int64_t now_us);

private:
    void Show(bool shown);

    Window& window_;
    int64_t last_move_us_ = 0;
    bool shown_ = true;
};
