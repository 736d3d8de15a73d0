// The Draw stage on OpenGL without a display: a room drawn into the application surface and
// copied to the window at a whole scale, centred between black bars, the right way up.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Graphics/GoldenPixels.h"
#include "Graphics/GraphicsContext.h"
#include "Room/CRoom.h"
#include "Run/DrawStage.h"

namespace {

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
    const RgbaImage image{100, 70, device.ReadPixels(0, 0, 100, 70)};
    const struct {
        int x, y;
        Rgba colour;
    } pixels[] = {{1, 30, kBlack}, {2, 30, kRed}, {97, 30, kRed}, {98, 30, kBlack},
                  {50, 7, kBlack}, {50, 8, kRed}, {50, 61, kRed}, {50, 62, kBlack}};
    for (const auto& pixel : pixels)
        EXPECT_TRUE(PixelIs(image, pixel.x, pixel.y, pixel.colour, 0));
}

} // namespace
