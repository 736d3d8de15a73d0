// The null backends: no window, no drawing, no system clipboard. They let the whole runner run
// without a display, and let tests see what would have been shown.
#pragma once

#include <cstdint>

#include "Platform/Clipboard.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/Window.h"

class NullWindow final : public Window {
public:
    bool Open(int, int, const std::string& caption, std::string&) override {
        caption_ = caption;
        return true;
    }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void PumpEvents(PlatformEvents& events) override;
    void SwapBuffers() override {}
    bool SetSwapInterval(int) override { return false; }
    double RefreshRate() const override { return 60.0; }

    // A test's stand-in for the player closing the window.
    void PostQuit() { quit_posted_ = true; }
    const std::string& Caption() const { return caption_; }

private:
    std::string caption_;
    bool quit_posted_ = false;
};

// Counts frames and remembers the last clear colour.
class NullGraphicsDevice final : public GraphicsDevice {
public:
    void BeginFrame() override { ++frames_begun; }
    void Clear(uint32_t argb) override { last_clear = argb; }
    void Present() override { ++frames_presented; }
    bool SetSwapInterval(int) override { return false; }
    bool SwapIntervalThrottles() const override { return false; }
    double RefreshRate() const override { return 60.0; }
    std::vector<uint8_t> ReadPixels(int, int, int, int) override { return {}; }

    int64_t frames_begun = 0;
    int64_t frames_presented = 0;
    uint32_t last_clear = 0;
};

class NullClipboard final : public Clipboard {
public:
    void SetText(const std::string& text) override { text_ = text; }
    std::string GetText() override { return text_; }

private:
    std::string text_;
};
