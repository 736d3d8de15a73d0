// Background layers drawn in the room: placed at the layer's offset, stretched over the room,
// and repeated across the view from an offset that need not be a whole number of copies.
#include <gtest/gtest.h>
#include <vector>

#include "Room/RoomFixture.h"

namespace {

class BackgroundDrawingTest : public RoomDrawingFixture {
protected:
    // A 640x480 room without views whose one layer is a background of a 16x16 sprite.
    package::LayerBackgroundRecord& AddBackgroundRoom(float x_offset) {
        const int32_t sprite = AddWhiteSprite("sBack", 8);
        RoomLayer& layer = AddLayer(AddRoom("rmBack"), 1, package::kLayerBackground, 100);
        layer.x_offset = x_offset;
        layer.background = {1, 0, sprite, 0, 0, 0, 0x80FFFFFF, 0, 0, 0};
        return layer.background;
    }

    // What the first frame draws from the sprite's texture.
    std::vector<Vertex> FirstFrame() {
        StartDrawing();
        RunFrames(1);
        return VerticesOf(PageTexture(0));
    }
};

TEST_F(BackgroundDrawingTest, APlainBackgroundSitsAtTheLayerOffsetWithItsColour) {
    AddBackgroundRoom(5);
    const std::vector<Vertex> drawn = FirstFrame();
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(BoundsOf(drawn), (std::array<float, 4>{5, 0, 21, 16}));
    EXPECT_EQ(drawn[0].colour >> 24, 0x80u);
}

TEST_F(BackgroundDrawingTest, ARepeatedBackgroundCoversTheViewFromBeforeItsEdge) {
    AddBackgroundRoom(5).tile_horizontally = 1;
    const std::vector<Vertex> drawn = FirstFrame();
    // From -11 to 629: 41 copies across 640 pixels.
    ASSERT_EQ(drawn.size(), 41u * 6);
    EXPECT_EQ(BoundsOf(drawn, 0, 6), (std::array<float, 4>{-11, 0, 5, 16}));
    EXPECT_EQ(BoundsOf(drawn, 40 * 6), (std::array<float, 4>{629, 0, 645, 16}));
}

TEST_F(BackgroundDrawingTest, AStretchedBackgroundCoversTheRoom) {
    AddBackgroundRoom(0).stretch = 1;
    const std::vector<Vertex> drawn = FirstFrame();
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(BoundsOf(drawn), (std::array<float, 4>{0, 0, 640, 480}));
}

} // namespace
