// The Draw stage on OpenGL without a display: a room drawn into the application surface and
// copied to the window at a whole scale, centred between black bars, the right way up.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Graphics/GraphicsContext.h"
#include "Platform/GlTestWindow.h"
#include "Room/CRoom.h"
#include "Run/DrawStage.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlack{0, 0, 0, 255};

TEST(GlLetterbox, TheRoomLandsAtAWholeScaleBetweenBlackBars) {
    GlTestWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(100, 70, error)) << error;
    GraphicsDevice& device = window.Device();
    device.BeginFrame();
    GraphicsContext graphics(device, 32, 18);
    graphics.BeginFrame();
    CRoom room;
    room.width = 32;
    room.height = 18;
    room.colour = 0x0000FF; // red
    DrawStage stage;
    stage.Run(graphics, room);
    graphics.Flush();

    // 3x: 96x54 at (2, 8).
    const std::vector<uint8_t> pixels = device.ReadPixels(0, 0, 100, 70);
    EXPECT_EQ(PixelAt(pixels, 100, 1, 30), kBlack);
    EXPECT_EQ(PixelAt(pixels, 100, 2, 30), kRed);
    EXPECT_EQ(PixelAt(pixels, 100, 97, 30), kRed);
    EXPECT_EQ(PixelAt(pixels, 100, 98, 30), kBlack);
    EXPECT_EQ(PixelAt(pixels, 100, 50, 7), kBlack);
    EXPECT_EQ(PixelAt(pixels, 100, 50, 8), kRed);
    EXPECT_EQ(PixelAt(pixels, 100, 50, 61), kRed);
    EXPECT_EQ(PixelAt(pixels, 100, 50, 62), kBlack);
}

} // namespace
