// The game's window and the platform's event queue. The SDL backend owns a real window with an
// OpenGL context; the null backend has neither and its event queue only ever holds what a test
// posts to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the platform tells the runner while it pumps events.
class PlatformEvents {
public:
    virtual ~PlatformEvents() = default;
    // The window was closed or the session asked the program to quit.
    virtual void OnQuitRequested() = 0;
    virtual void OnWindowResized(int width, int height) = 0;

    // A key by its virtual-key code; Shift, Control and Alt come as their left or right codes
    // (160 to 165). Auto-repeated key-downs say so.
    virtual void OnKey(int32_t, bool /*down*/, bool /*repeat*/) {}
    // Typed text in UTF-8; a backspace arrives as the character 8.
    virtual void OnText(std::string_view) {}
    // The pointer in the window's client area, in the units of ClientSize.
    virtual void OnMouseMove(double, double) {}
    // Button 0 left, 1 right, 2 middle.
    virtual void OnMouseButton(int32_t, bool /*down*/) {}
    // Wheel steps, positive away from the player.
    virtual void OnMouseWheel(int32_t) {}
    // The window stopped receiving keys.
    virtual void OnFocusLost() {}
};

class Window {
public:
    virtual ~Window() = default;

    // Opens the window with an OpenGL 3.3 core context (real backends). False, with a reason
    // in error, when that cannot be done.
    virtual bool Open(int width, int height, const std::string& caption, std::string& error) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // Hands every queued event to the runner.
    virtual void PumpEvents(PlatformEvents& events) = 0;

    // The OpenGL context's buffers and its swap interval; false when the interval was refused.
    virtual void SwapBuffers() = 0;
    virtual bool SetSwapInterval(int interval) = 0;
    // The display's refresh rate, 60 when the platform does not say.
    virtual double RefreshRate() const = 0;
    // The drawable area in pixels, which can differ from the size in screen units (high DPI).
    virtual void DrawableSize(int& width, int& height) const = 0;

    // Placement. Client size excludes the frame; the outer rectangle includes it. Windows
    // that cannot be placed (test stand-ins) keep these defaults.
    virtual void ClientSize(int& width, int& height) const { DrawableSize(width, height); }
    // Sets the client size, keeping the outer top-left corner where it is.
    virtual void SetClientSize(int, int) {}
    virtual void OuterRect(int& x, int& y, int& width, int& height) const {
        x = y = 0;
        ClientSize(width, height);
    }
    virtual void MoveOuterTo(int, int) {}
    // The size of the display the window is on.
    virtual void DisplaySize(int& width, int& height) const { width = height = 0; }
    // Desktop full screen: the display keeps its mode.
    virtual void SetFullScreen(bool) {}
    virtual bool FullScreen() const { return false; }

    // Whether the key with this virtual-key code is down now, asked of the system rather than
    // learnt from events.
    virtual bool KeyHeld(int32_t) const { return false; }

    // The picture the desktop shows for the window: RGBA rows from the top.
    virtual void SetIcon(int /*width*/, int /*height*/, const uint8_t* /*rgba*/) {}
    // The system's mouse pointer over the window.
    virtual void ShowCursor(bool) {}
};
