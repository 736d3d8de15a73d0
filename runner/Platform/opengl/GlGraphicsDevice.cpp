#include "Platform/opengl/GlGraphicsDevice.h"

#include <epoxy/gl.h>

#include "Platform/Clock.h"

GlGraphicsDevice::GlGraphicsDevice(Window& window) : window_(window) {
    swap_throttles_ = MeasureSwapThrottle();
}

// Some platforms accept a swap interval and then ignore it (EGL without a display), others
// refuse it (GLX under Xvfb): only frames that really wait count as throttled.
bool GlGraphicsDevice::MeasureSwapThrottle() {
    if (!window_.SetSwapInterval(1)) return false;
    constexpr int kFrames = 4;
    Clock& clock = SystemClock();
    window_.SwapBuffers(); // the first swap may return at once whatever the interval
    int64_t start = clock.NowMicros();
    for (int i = 0; i < kFrames; ++i) window_.SwapBuffers();
    double frame_us = static_cast<double>(clock.NowMicros() - start) / kFrames;
    window_.SetSwapInterval(0);
    return frame_us > 0.5 * 1'000'000.0 / window_.RefreshRate();
}

void GlGraphicsDevice::BeginFrame() {}

void GlGraphicsDevice::Clear(uint32_t argb) {
    glClearColor(static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>(argb >> 24) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void GlGraphicsDevice::Present() { window_.SwapBuffers(); }

bool GlGraphicsDevice::SetSwapInterval(int interval) { return window_.SetSwapInterval(interval); }

std::vector<uint8_t> GlGraphicsDevice::ReadPixels(int x, int y, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL reads from the bottom row up; callers want the top row first.
    size_t row = static_cast<size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.begin() + static_cast<std::ptrdiff_t>(top * row),
                         pixels.begin() + static_cast<std::ptrdiff_t>((top + 1) * row),
                         pixels.begin() + static_cast<std::ptrdiff_t>(bottom * row));
    return pixels;
}
