// Tile map and background layers as the room draws them.
#include "Run/TileMapDrawing.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "Room/RoomFixture.h"

namespace {

class LayerDrawingTest : public RoomDrawingFixture {
protected:
    int32_t AddTileRow() { return AddTileSet(4, 32, 8); }
    std::vector<Vertex> TileVertices() { return VerticesOf(PageTexture(0)); }
};

// The u at the corner (x, y) of the quad from `first`.
float UAt(const std::vector<Vertex>& vertices, size_t first, float x, float y) {
    const auto quad = vertices.begin() + long(first);
    const auto corner =
        std::find_if(quad, quad + 6, [x, y](const Vertex& v) { return v.x == x && v.y == y; });
    EXPECT_NE(corner, quad + 6) << x << "," << y;
    return corner == quad + 6 ? -1 : corner->u;
}

TEST_F(LayerDrawingTest, CellsDrawTheirTilesAndDrawTilemapDrawsAMapAnywhere) {
    const int32_t tile_set = AddTileRow();
    const int32_t drawer = AddObject("oDrawer", -1, false, -10); // not on the hidden layer
    AddEvent(drawer, ev_draw, ev_draw_end, [](CInstance* self, CInstance*) {
        CallNamed(self, "draw_tilemap", FirstElementId("Layer2"), 100, 40);
    });
    const int32_t room = AddRoom("rmTiles");
    AddLayer(room, 1, package::kLayerTiles, 0).tile_map = {
        tile_set, 3, 2, {1, package::kTileMirror | 2, package::kTileMirror, 0, 3, 0}};
    RoomLayer& hidden = AddLayer(room, 2, package::kLayerTiles, 0);
    hidden.visible = false;
    hidden.tile_map = {tile_set, 2, 1, {3, 0}};
    AddInstance(room, drawer);
    StartDrawing();

    RunFrames(1);
    const std::vector<Vertex> vertices = TileVertices();
    // Tiles 1, 2 and 3, as the mirror flag alone draws nothing; the hidden layer draws nothing,
    // and the built-in draws its tile 3 at (100, 40).
    ASSERT_EQ(vertices.size(), 24u);
    // Tile 2 at cell (1, 0) is mirrored: its right edge on the left.
    EXPECT_EQ((std::vector{UAt(vertices, 0, 0, 0), UAt(vertices, 0, 8, 8), UAt(vertices, 6, 8, 0),
                           UAt(vertices, 6, 16, 0), UAt(vertices, 12, 8, 8),
                           UAt(vertices, 12, 16, 16), UAt(vertices, 18, 100, 40),
                           UAt(vertices, 18, 108, 48)}),
              (std::vector<float>{0.25f, 0.5f, 0.75f, 0.5f, 0.75f, 1, 0.75f, 1}));
    EXPECT_EQ(CallNamed(nullptr, "draw_tilemap", 12345, 0, 0), 0);
    EXPECT_EQ(error_output_, "draw_tilemap() - couldn't find specified tilemap\n");
}

TEST_F(LayerDrawingTest, OnlyCellsWithinACellOfTheViewAreDrawn) {
    const int32_t tile_set = AddTileRow();
    const int32_t room = AddRoom("rmWide");
    // 100x100 cells of 8 pixels under the 640x480 room rectangle: 80x60 cells in view.
    AddLayer(room, 1, package::kLayerTiles, 0).tile_map = {tile_set, 100, 100,
                                                           std::vector<uint32_t>(100 * 100, 1)};
    StartDrawing();

    RunFrames(1);
    const std::vector<Vertex> vertices = TileVertices();
    // Columns 0 to 81 and rows 0 to 61: the view's cells and one more beyond each edge.
    EXPECT_EQ(vertices.size(), 6u * 82 * 62);
    EXPECT_EQ(BoundsOf(vertices), (std::array<float, 4>{0, 0, 82 * 8, 62 * 8}));
}

TEST_F(LayerDrawingTest, AnimatedTilesShowTheFrameTheClockHasReached) {
    const int32_t tile_set = AddTileRow();
    // Tile 1 shows tiles 1, 2 and 3 for a tenth of a second each; tile 2 stays itself.
    PackageBackground& source = *package_.backgrounds[size_t(tile_set)];
    source.frames_per_tile = 3;
    source.frame_time_us = 100000;
    source.frames = {0, 0, 0, 1, 2, 3, 2, 2, 2, 3, 3, 3};
    AddRoom("rmAnimated");
    Start();
    drawing_.LoadPackage(loader_.Package());
    const TileMap map{tile_set, 2, 1, {1, 2}};

    const auto lefts_at = [&](int64_t time_us) {
        Runner().frame_start_us = time_us;
        graphics_.draws.clear();
        DrawTileMap(drawing_, map, 0, 0);
        const std::vector<Vertex> vertices = TileVertices();
        std::vector<float> lefts;
        for (size_t at = 0; at + 6 <= vertices.size(); at += 6)
            lefts.push_back(UAt(vertices, at, float(at / 6) * 8, 0));
        return lefts;
    };
    EXPECT_EQ(lefts_at(0), (std::vector<float>{0.25f, 0.5f}));
    EXPECT_EQ(lefts_at(99999), (std::vector<float>{0.25f, 0.5f}));
    EXPECT_EQ(lefts_at(100000), (std::vector<float>{0.5f, 0.5f}));
    EXPECT_EQ(lefts_at(250000), (std::vector<float>{0.75f, 0.5f}));
    EXPECT_EQ(lefts_at(300000), (std::vector<float>{0.25f, 0.5f}));
}

// From an offset that need not be a whole number of copies: 41 copies of 16 from -11 cover 640.
TEST_F(LayerDrawingTest, BackgroundsSitAtTheOffsetRepeatAcrossTheViewOrStretchOverTheRoom) {
    const int32_t sprite = AddWhiteSprite("sBack", 8);
    const int32_t room = AddRoom("rmBack");
    for (uint32_t kind = 0; kind < 3; ++kind) { // plain, repeated, stretched: deepest first
        RoomLayer& layer = AddLayer(room, 1 + kind, package::kLayerBackground, 300 - 100 * kind);
        layer.x_offset = kind < 2 ? 5 : 0;
        layer.background = {1, 0, sprite, kind == 1, 0, kind == 2, 0x80FFFFFF, 0, 0, 0};
    }
    StartDrawing();
    RunFrames(1);
    const std::vector<Vertex> drawn = VerticesOf(PageTexture(0));
    ASSERT_EQ(drawn.size(), (1 + 41 + 1) * 6u);
    EXPECT_EQ(BoundsOf(drawn, 0, 6), (std::array<float, 4>{5, 0, 21, 16}));
    EXPECT_EQ(drawn[0].colour >> 24, 0x80u);
    EXPECT_EQ(BoundsOf(drawn, 6, 6), (std::array<float, 4>{-11, 0, 5, 16}));
    EXPECT_EQ(BoundsOf(drawn, 41 * 6, 6), (std::array<float, 4>{629, 0, 645, 16}));
    EXPECT_EQ(BoundsOf(drawn, 42 * 6), (std::array<float, 4>{0, 0, 640, 480}));
}

} // namespace
