// The null window: sizes, placement and full screen kept as numbers, and an event queue that
// holds only what a test posts or what a size change reports.
#include "Platform/null/NullBackends.h"

void NullWindow::PumpEvents(PlatformEvents& events) {
    if (full_screen_key_posted_) {
        full_screen_key_posted_ = false;
        SetFullScreen(!full_screen_);
    }
    if (resize_posted_) {
        resize_posted_ = false;
        events.OnWindowResized(width_, height_);
    }
    if (!quit_posted_) return;
    quit_posted_ = false;
    events.OnQuitRequested();
}

void NullWindow::SetClientSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    ++size_changes_;
    resize_posted_ = true;
}

void NullWindow::OuterRect(int& x, int& y, int& width, int& height) const {
    x = x_;
    y = y_;
    width = width_ + frame_left + frame_right;
    height = height_ + frame_top + frame_bottom;
}

void NullWindow::SetFullScreen(bool on) {
    if (on == full_screen_) return;
    full_screen_ = on;
    if (on) {
        windowed_width_ = width_;
        windowed_height_ = height_;
        SetClientSize(display_width, display_height);
    } else {
        SetClientSize(windowed_width_, windowed_height_);
    }
}
