// The OpenGL 3.3 core drawing device over a window's context.
#pragma once

#include "Platform/GraphicsDevice.h"
#include "Platform/Window.h"

class GlGraphicsDevice final : public GraphicsDevice {
public:
    // The window's context must be current. Measures whether the swap interval throttles.
    explicit GlGraphicsDevice(Window& window);

    void BeginFrame() override;
    void Clear(uint32_t argb) override;
    void Present() override;
    bool SetSwapInterval(int interval) override;
    bool SwapIntervalThrottles() const override { return swap_throttles_; }
    double RefreshRate() const override { return window_.RefreshRate(); }
    std::vector<uint8_t> ReadPixels(int x, int y, int width, int height) override;

private:
    bool MeasureSwapThrottle();

    Window& window_;
    bool swap_throttles_ = false;
};
