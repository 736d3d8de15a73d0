// The copy of the application surface to the window: whole-number scales when they fit,
// centred with bars, and a fractional aspect-preserving scale in a window too small for 1x.
#include "Run/Letterbox.h"

#include <gtest/gtest.h>

TEST(Letterbox, WholeScalesCentredWithBarsFractionalOnlyBelowOneToOne) {
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 1280, 720), (WindowRect{0, 0, 1280, 720}));
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 320, 180), (WindowRect{0, 0, 320, 180}));
    // 1920/320 = 6 but 1200/180 = 6.67: 6x, bars above and below.
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 1920, 1200), (WindowRect{0, 60, 1920, 1080}));
    // 1000/320 = 3.1 and 700/180 = 3.9: 3x, not the fractional 3.125.
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 1000, 700), (WindowRect{20, 80, 960, 540}));
    // A tall window: bars above and below, side bars from the rounding down.
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 650, 1000), (WindowRect{5, 320, 640, 360}));
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 160, 200), (WindowRect{0, 55, 160, 90}));
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 300, 90), (WindowRect{70, 0, 160, 90}));
    // Empty sizes give nothing.
    EXPECT_EQ(FitSurfaceToWindow(0, 180, 640, 480), WindowRect{});
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 0, 480), WindowRect{});
}
