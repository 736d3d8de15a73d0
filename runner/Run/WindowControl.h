// What the game's code asks of the window: its size through the display reset countdown,
// centring, the display's size and desktop full screen. One instance serves the run and is
// reached by the window built-ins and the frame loop.
#pragma once

#include <cstdint>

class Window;
struct PackageOptions;

class WindowControl {
public:
    // Frames from a size request or report to the reset of the graphics buffers.
    static constexpr int kResetFrames = 10;

    explicit WindowControl(Window& window) : window_(window) {}

    // Records the requested client size (both above 0) and starts the countdown when it
    // differs from the current size and the window is not full screen.
    void RequestSize(int width, int height);
    // Centres the outer window on the display at the size a pending request gives it, else at
    // its current size; nothing when full screen.
    void Center();
    void DisplaySize(int& width, int& height) const;
    void SetFullScreen(bool on);
    bool FullScreen() const;

    // The platform reported a new size.
    void OnResized();
    // Once a frame before the step: applies a pending size request while the count is above
    // 1, resets the display at 1. True when the display was reset.
    bool CountDown();

    int Countdown() const { return countdown_; }
    int64_t DisplayResets() const { return display_resets_; }

private:
    Window& window_;
    int requested_width_ = 0;
    int requested_height_ = 0;
    bool size_requested_ = false;
    int countdown_ = 0;
    int64_t display_resets_ = 0;
};

WindowControl* ActiveWindowControl();
void SetActiveWindowControl(WindowControl* control);

// Whether the run starts full screen: the package's header or options ask for it, and
// "-inawindow" was not given.
bool StartsFullScreen(uint32_t info_flags, const PackageOptions& options, bool in_a_window);
