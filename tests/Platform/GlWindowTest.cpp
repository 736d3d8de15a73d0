// A real window with its OpenGL device, without a display: SDL's offscreen driver (EGL).
#include <gtest/gtest.h>

#include "GlTestWindow.h"

namespace {

TEST(GlWindow, ClearsTheBackBufferOfTheDrawableSizeAndReadsItBack) {
    GlTestWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(64, 48, error)) << error;
    GraphicsDevice& graphics = window.Device();
    int width = 0, height = 0;
    graphics.DrawableSize(width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(64, 48));

    graphics.BeginFrame();
    graphics.Clear(0xFF336699);
    std::vector<uint8_t> pixels = graphics.ReadPixels(0, 0, 64, 48);
    ASSERT_EQ(pixels.size(), 64u * 48u * 4u);
    EXPECT_EQ(PixelAt(pixels, 64, 0, 0), (Rgba{0x33, 0x66, 0x99, 0xFF}));
    EXPECT_EQ(PixelAt(pixels, 64, 63, 47), (Rgba{0x33, 0x66, 0x99, 0xFF}));
    graphics.Present();
    // Offscreen EGL accepts a swap interval but never waits on it: our clock must pace.
    EXPECT_FALSE(graphics.SwapIntervalThrottles());
}

} // namespace
