// A real window with its OpenGL device, without a display: SDL's offscreen driver (EGL).
#include <gtest/gtest.h>

#include <cstdlib>

#include "Platform/PlatformServices.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define RUNNER_LSAN 1
#endif
#endif

namespace {

TEST(GlWindow, ClearsTheBackBufferAndReadsItBack) {
#ifdef RUNNER_LSAN
    // Mesa's software driver keeps an allocation it never frees and is unloaded before the
    // leak check, which then cannot tell it from ours.
    __lsan::ScopedDisabler mesa_keeps_its_own;
#endif
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    PlatformServices platform = CreateDesktopPlatform();
    std::string error;
    ASSERT_TRUE(OpenDesktopWindow(platform, 64, 48, "Snowtide", error)) << error;

    platform.graphics->BeginFrame();
    platform.graphics->Clear(0xFF336699);
    std::vector<uint8_t> pixels = platform.graphics->ReadPixels(0, 0, 64, 48);
    ASSERT_EQ(pixels.size(), 64u * 48u * 4u);
    for (size_t at : {size_t{0}, pixels.size() - 4}) {
        EXPECT_EQ(pixels[at + 0], 0x33);
        EXPECT_EQ(pixels[at + 1], 0x66);
        EXPECT_EQ(pixels[at + 2], 0x99);
        EXPECT_EQ(pixels[at + 3], 0xFF);
    }
    platform.graphics->Present();
    // Offscreen EGL accepts a swap interval but never waits on it: our clock must pace.
    EXPECT_FALSE(platform.graphics->SwapIntervalThrottles());
}

} // namespace
