// The window's size countdown, centring and full screen, on top of the platform window.
#include "Run/WindowControl.h"

#include <cmath>

#include "Package/PackageFormat.h"
#include "Package/PackageHeader.h"
#include "Platform/Window.h"

namespace {

WindowControl* g_active = nullptr;

} // namespace

void WindowControl::RequestSize(int width, int height) {
    if (width <= 0 || height <= 0) return;
    requested_width_ = width;
    requested_height_ = height;
    int current_width = 0, current_height = 0;
    window_.ClientSize(current_width, current_height);
    if ((width == current_width && height == current_height) || window_.FullScreen()) return;
    size_requested_ = true;
    // A reset due on this very frame is not put off.
    if (countdown_ != 1) countdown_ = kResetFrames;
}

void WindowControl::Center() {
    if (window_.FullScreen()) return;
    int x, y, width, height, display_width, display_height;
    window_.OuterRect(x, y, width, height);
    // The coming frames resize the window about its top-left corner, so the corner must be
    // placed for the size it is about to have, in its present frame.
    if (size_requested_ && countdown_ > 1) {
        int client_width, client_height;
        window_.ClientSize(client_width, client_height);
        width += requested_width_ - client_width;
        height += requested_height_ - client_height;
    }
    window_.DisplaySize(display_width, display_height);
    window_.MoveOuterTo(static_cast<int>(std::floor((display_width - width) / 2.0)),
                        static_cast<int>(std::floor((display_height - height) / 2.0)));
}

void WindowControl::DisplaySize(int& width, int& height) const { window_.DisplaySize(width, height); }

void WindowControl::SetFullScreen(bool on) { window_.SetFullScreen(on); }

bool WindowControl::FullScreen() const { return window_.FullScreen(); }

void WindowControl::OnResized() {
    // A running countdown is kept: the reports of our own resizing would otherwise put the
    // reset off for as long as the window keeps reporting.
    if (countdown_ == 0) countdown_ = kResetFrames;
}

bool WindowControl::CountDown() {
    if (countdown_ == 0) return false;
    if (countdown_ > 1) {
        if (size_requested_ && !window_.FullScreen())
            window_.SetClientSize(requested_width_, requested_height_);
        --countdown_;
        return false;
    }
    countdown_ = 0;
    size_requested_ = false;
    ++display_resets_;
    return true;
}

WindowControl* ActiveWindowControl() { return g_active; }

void SetActiveWindowControl(WindowControl* control) { g_active = control; }

bool StartsFullScreen(uint32_t info_flags, const PackageOptions& options, bool in_a_window) {
    if (in_a_window) return false;
    return (info_flags & package::kInfoFullScreen) != 0 || options.Has(package::kOptionFullScreen);
}
