// The null window: sizes, placement and full screen kept as numbers, and an event queue that
// holds only what a test posts (input, quit, the full-screen key) or what a size change reports.
#include "Platform/null/NullBackends.h"

void NullWindow::PumpEvents(PlatformEvents& events) {
    std::vector<std::function<void(PlatformEvents&)>> input;
    input.swap(posted_input_);
    for (const auto& deliver : input) deliver(events);
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

void NullWindow::PostKey(int32_t virtual_key, bool down, bool repeat) {
    if (down) keys_held_.insert(virtual_key);
    else keys_held_.erase(virtual_key);
    posted_input_.push_back(
        [=](PlatformEvents& events) { events.OnKey(virtual_key, down, repeat); });
}

void NullWindow::PostText(std::string utf8) {
    posted_input_.push_back(
        [utf8 = std::move(utf8)](PlatformEvents& events) { events.OnText(utf8); });
}

void NullWindow::PostMouseMove(double x, double y) {
    posted_input_.push_back([=](PlatformEvents& events) { events.OnMouseMove(x, y); });
}

void NullWindow::PostMouseButton(int32_t button, bool down) {
    posted_input_.push_back([=](PlatformEvents& events) { events.OnMouseButton(button, down); });
}

void NullWindow::PostMouseWheel(int32_t steps) {
    posted_input_.push_back([=](PlatformEvents& events) { events.OnMouseWheel(steps); });
}

void NullWindow::PostFocusLost() {
    keys_held_.clear();
    posted_input_.push_back([](PlatformEvents& events) { events.OnFocusLost(); });
}
