// Tile maps drawn in the room: tiles cut from their tile set in cell order, flag-only cells
// left empty, mirrored cells drawn with their texture coordinates swapped, and cells far
// outside the view skipped.
#include "Run/TileMapDrawing.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "Graphics/GraphicsContext.h"
#include "Room/RoomFixture.h"

namespace {

class TileMapDrawingTest : public RoomFixture {
protected:
    void TearDown() override {
        SetActiveGraphics(nullptr);
        RoomFixture::TearDown();
    }

    // A 32x8 image of four 8x8 tiles in one row.
    int32_t AddTileRow() {
        PackageTexture texture;
        texture.encoding = TextureEncoding::Raw32;
        texture.width = 32;
        texture.height = 8;
        texture.pixels.assign(32 * 8 * 4, 255);
        package_.textures.emplace_back(texture);
        package_.texture_page_entries.push_back(
            {0, 0, 32, 8, 0, 0, 32, 8, 32, 8, int16_t(package_.textures.size() - 1)});
        PackageBackground tile_set;
        tile_set.name = Text("tsRow");
        tile_set.texture_page = int32_t(package_.texture_page_entries.size() - 1);
        tile_set.tile_width = tile_set.tile_height = 8;
        tile_set.columns = 4;
        tile_set.tile_count = 4;
        tile_set.frames = {0, 1, 2, 3};
        package_.backgrounds.emplace_back(tile_set);
        return int32_t(package_.backgrounds.size() - 1);
    }

    // The vertices drawn from the tile set's texture, in order.
    std::vector<Vertex> TileVertices() {
        drawing_.Flush();
        const TextureId tiles = drawing_.Pages().Entry(0)->texture;
        std::vector<Vertex> vertices;
        for (const auto& draw : graphics_.draws)
            if (draw.texture == tiles)
                vertices.insert(vertices.end(), draw.vertices.begin(), draw.vertices.end());
        return vertices;
    }

    GraphicsContext drawing_{graphics_, 320, 180};
};

// The texture u of the quad's corner at (x, y).
float UAt(const std::vector<Vertex>& quad, float x, float y) {
    auto corner = std::find_if(quad.begin(), quad.end(),
                               [x, y](const Vertex& v) { return v.x == x && v.y == y; });
    EXPECT_NE(corner, quad.end()) << x << "," << y;
    return corner == quad.end() ? -1 : corner->u;
}

TEST_F(TileMapDrawingTest, CellsDrawTheirTilesAndFlagOnlyCellsNothing) {
    const int32_t tile_set = AddTileRow();
    const int32_t room = AddRoom("rmTiles");
    AddLayer(room, 1, package::kLayerTiles, 0).tile_map = {
        tile_set, 3, 2, {1, package::kTileMirror | 2, package::kTileMirror, 0, 3, 0}};
    Start();
    drawing_.LoadPackage(loader_.Package());
    SetActiveGraphics(&drawing_);

    Frames(1);
    const std::vector<Vertex> vertices = TileVertices();
    ASSERT_EQ(vertices.size(), 18u); // tiles 1, 2 and 3; the mirror flag alone draws nothing
    const std::vector<Vertex> first(vertices.begin(), vertices.begin() + 6);
    const std::vector<Vertex> mirrored(vertices.begin() + 6, vertices.begin() + 12);
    const std::vector<Vertex> below(vertices.begin() + 12, vertices.end());
    // Tile 1 spans u 0.25 to 0.5 at cell (0, 0).
    EXPECT_FLOAT_EQ(UAt(first, 0, 0), 0.25f);
    EXPECT_FLOAT_EQ(UAt(first, 8, 8), 0.5f);
    // Tile 2 at cell (1, 0), mirrored: its right edge on the left.
    EXPECT_FLOAT_EQ(UAt(mirrored, 8, 0), 0.75f);
    EXPECT_FLOAT_EQ(UAt(mirrored, 16, 0), 0.5f);
    // Tile 3 at cell (1, 1).
    EXPECT_FLOAT_EQ(UAt(below, 8, 8), 0.75f);
    EXPECT_FLOAT_EQ(UAt(below, 16, 16), 1.0f);
}

TEST_F(TileMapDrawingTest, OnlyCellsWithinACellOfTheViewAreDrawn) {
    const int32_t tile_set = AddTileRow();
    const int32_t room = AddRoom("rmWide");
    // 100x100 cells of 8 pixels under the 640x480 room rectangle: 80x60 cells in view.
    AddLayer(room, 1, package::kLayerTiles, 0).tile_map = {tile_set, 100, 100,
                                                           std::vector<uint32_t>(100 * 100, 1)};
    Start();
    drawing_.LoadPackage(loader_.Package());
    SetActiveGraphics(&drawing_);

    Frames(1);
    const std::vector<Vertex> vertices = TileVertices();
    // Columns 0 to 81 and rows 0 to 61: the view's cells and one more beyond each edge.
    EXPECT_EQ(vertices.size(), 6u * 82 * 62);
    const auto right = std::max_element(vertices.begin(), vertices.end(),
                                        [](const Vertex& a, const Vertex& b) { return a.x < b.x; });
    const auto bottom =
        std::max_element(vertices.begin(), vertices.end(),
                         [](const Vertex& a, const Vertex& b) { return a.y < b.y; });
    EXPECT_EQ(right->x, 82 * 8);
    EXPECT_EQ(bottom->y, 62 * 8);
}

void DrawTheMapAt100(CInstance* self, CInstance*) {
    const CLayer* layer = CurrentRoom()->FindLayer(std::string_view("Layer1"));
    CallNamed(self, "draw_tilemap", layer->elements[0].id, 100, 40);
}

TEST_F(TileMapDrawingTest, DrawTilemapDrawsAMapAnywhere) {
    const int32_t tile_set = AddTileRow();
    const int32_t drawer = AddObject("oDrawer", -1, false, -10); // not on the hidden layer
    AddEvent(drawer, ev_draw, ev_draw_end, DrawTheMapAt100);
    const int32_t room = AddRoom("rmTiles");
    RoomLayer& layer = AddLayer(room, 1, package::kLayerTiles, 0);
    layer.visible = false;
    layer.tile_map = {tile_set, 2, 1, {3, 0}};
    AddInstance(room, drawer);
    Start();
    drawing_.LoadPackage(loader_.Package());
    SetActiveGraphics(&drawing_);

    Frames(1);
    // The hidden layer draws nothing; the built-in draws tile 3 at (100, 40).
    const std::vector<Vertex> vertices = TileVertices();
    ASSERT_EQ(vertices.size(), 6u);
    EXPECT_FLOAT_EQ(UAt(vertices, 100, 40), 0.75f);
    EXPECT_FLOAT_EQ(UAt(vertices, 108, 48), 1.0f);
    EXPECT_EQ(CallNamed(nullptr, "draw_tilemap", 12345, 0, 0), 0);
    EXPECT_EQ(error_output_, "draw_tilemap() - couldn't find specified tilemap\n");
}

TEST_F(TileMapDrawingTest, AnimatedTilesShowTheFrameTheClockHasReached) {
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

    // The u of the left edge of each tile drawn, at each time.
    const auto lefts_at = [&](int64_t time_us) {
        Runner().frame_start_us = time_us;
        graphics_.draws.clear();
        DrawTileMap(drawing_, map, 0, 0);
        std::vector<float> lefts;
        const std::vector<Vertex> vertices = TileVertices();
        for (size_t at = 0; at + 6 <= vertices.size(); at += 6) {
            const std::vector<Vertex> quad(vertices.begin() + long(at),
                                           vertices.begin() + long(at + 6));
            lefts.push_back(UAt(quad, float(at / 6) * 8, 0));
        }
        return lefts;
    };
    EXPECT_EQ(lefts_at(0), (std::vector<float>{0.25f, 0.5f}));
    EXPECT_EQ(lefts_at(99999), (std::vector<float>{0.25f, 0.5f}));
    EXPECT_EQ(lefts_at(100000), (std::vector<float>{0.5f, 0.5f}));
    EXPECT_EQ(lefts_at(250000), (std::vector<float>{0.75f, 0.5f}));
    EXPECT_EQ(lefts_at(300000), (std::vector<float>{0.25f, 0.5f}));
}

} // namespace
