// A real window with its OpenGL device, without a display: SDL's offscreen driver (EGL).
#include <gtest/gtest.h>

#include "GlTestWindow.h"

namespace {

TEST(GlWindow, ClearsTheBackBufferAndReadsItBack) {
    GlTestWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(64, 48, error)) << error;
    GraphicsDevice& graphics = window.Device();

    graphics.BeginFrame();
    graphics.Clear(0xFF336699);
    std::vector<uint8_t> pixels = graphics.ReadPixels(0, 0, 64, 48);
    ASSERT_EQ(pixels.size(), 64u * 48u * 4u);
    for (size_t at : {size_t{0}, pixels.size() - 4}) {
        EXPECT_EQ(pixels[at + 0], 0x33);
        EXPECT_EQ(pixels[at + 1], 0x66);
        EXPECT_EQ(pixels[at + 2], 0x99);
        EXPECT_EQ(pixels[at + 3], 0xFF);
    }
    graphics.Present();
    // Offscreen EGL accepts a swap interval but never waits on it: our clock must pace.
    EXPECT_FALSE(graphics.SwapIntervalThrottles());
}

TEST(GlWindow, TheDeviceSeesTheWindowsDrawableSize) {
    GlTestWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(64, 48, error)) << error;
    int width = 0, height = 0;
    window.Device().DrawableSize(width, height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
}

} // namespace
