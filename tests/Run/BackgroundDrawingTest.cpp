// Background layers drawn in the room: placed at the layer's offset, stretched over the room,
// and repeated across the view from an offset that need not be a whole number of copies.
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "Graphics/GraphicsContext.h"
#include "Room/RoomFixture.h"

namespace {

class BackgroundDrawingTest : public RoomFixture {
protected:
    void TearDown() override {
        SetActiveGraphics(nullptr);
        RoomFixture::TearDown();
    }

    // A 640x480 room without views whose one layer is a background of a 16x16 sprite.
    package::LayerBackgroundRecord& AddBackgroundRoom(float x_offset) {
        PackageTexture texture;
        texture.encoding = TextureEncoding::Raw32;
        texture.width = texture.height = 16;
        texture.pixels.assign(16 * 16 * 4, 255);
        package_.textures.emplace_back(texture);
        package_.texture_page_entries.push_back({0, 0, 16, 16, 0, 0, 16, 16, 16, 16, 0});
        const int32_t sprite =
            AddSprite("sBack", std::vector<std::string>(16, std::string(16, '#')), 8, 8);
        package_.sprites[size_t(sprite)]->frames = {0};
        const int32_t room = AddRoom("rmBack");
        RoomLayer& layer = AddLayer(room, 1, package::kLayerBackground, 100);
        layer.x_offset = x_offset;
        layer.background = {1, 0, sprite, 0, 0, 0, 0x80FFFFFF, 0, 0, 0};
        return layer.background;
    }

    void StartDrawing() {
        Start();
        drawing_.LoadPackage(loader_.Package());
        SetActiveGraphics(&drawing_);
        Frames(1);
        drawing_.Flush();
    }

    // Each quad's top-left corner drawn from the sprite's texture.
    std::vector<std::pair<float, float>> Corners() {
        const TextureId texture = drawing_.Pages().Entry(0)->texture;
        std::vector<std::pair<float, float>> corners;
        for (const auto& draw : graphics_.draws) {
            if (draw.texture != texture) continue;
            for (size_t quad = 0; quad + 6 <= draw.vertices.size(); quad += 6) {
                auto first = draw.vertices.begin() + long(quad);
                float left = first->x, top = first->y;
                for (auto v = first; v != first + 6; ++v) {
                    left = std::min(left, v->x);
                    top = std::min(top, v->y);
                }
                corners.emplace_back(left, top);
            }
        }
        return corners;
    }

    GraphicsContext drawing_{graphics_, 320, 180};
};

TEST_F(BackgroundDrawingTest, APlainBackgroundSitsAtTheLayerOffsetWithItsColour) {
    AddBackgroundRoom(5);
    StartDrawing();
    EXPECT_EQ(Corners(), (std::vector<std::pair<float, float>>{{5, 0}}));
    const auto& draw =
        *std::find_if(graphics_.draws.begin(), graphics_.draws.end(), [this](const auto& d) {
            return d.texture == drawing_.Pages().Entry(0)->texture;
        });
    EXPECT_EQ(draw.vertices[0].colour >> 24, 0x80u);
}

TEST_F(BackgroundDrawingTest, ARepeatedBackgroundCoversTheViewFromBeforeItsEdge) {
    AddBackgroundRoom(5).tile_horizontally = 1;
    StartDrawing();
    const auto corners = Corners();
    // From -11 to 629: 41 copies across 640 pixels.
    ASSERT_EQ(corners.size(), 41u);
    EXPECT_EQ(corners.front(), (std::pair<float, float>{-11, 0}));
    EXPECT_EQ(corners.back(), (std::pair<float, float>{629, 0}));
}

TEST_F(BackgroundDrawingTest, AStretchedBackgroundCoversTheRoom) {
    AddBackgroundRoom(0).stretch = 1;
    StartDrawing();
    ASSERT_EQ(Corners().size(), 1u);
    float right = 0, bottom = 0;
    for (const auto& draw : graphics_.draws)
        if (draw.texture == drawing_.Pages().Entry(0)->texture)
            for (const Vertex& v : draw.vertices) {
                right = std::max(right, v.x);
                bottom = std::max(bottom, v.y);
            }
    EXPECT_EQ(right, 640);
    EXPECT_EQ(bottom, 480);
}

} // namespace
