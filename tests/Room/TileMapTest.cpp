// Tile maps: the flag bits of a cell, tile map elements made at run time, and setting and
// clearing cells, with every message and the cases that stay silent.
#include <gtest/gtest.h>

#include "Code/RuntimeError.h"
#include "Room/RoomFixture.h"

namespace {

using package::kTileFlip;
using package::kTileMirror;
using package::kTileRotate;

class TileMapTest : public RoomFixture {
protected:
    void SetUp() override {
        RoomFixture::SetUp();
        AddTileSet(8, 32, 16);
        const int32_t room = AddRoom("rmTiles");
        RoomLayer& tiles = AddLayer(room, 1, package::kLayerTiles, 10);
        tiles.name = Text("Tiles");
        tiles.tile_map = {0, 3, 2, {1, 2, 3, 4, 5, 6}};
        AddLayer(room, 2, package::kLayerInstances, 0).name = Text("Things");
        Start();
    }

    static const std::vector<uint32_t>& Cells(int32_t element_id) {
        return FindTileMap(*CurrentRoom(), element_id)->map.cells;
    }

    RuntimeErrorCapture errors_;
};

TEST_F(TileMapTest, CellFlagBitsAreSetAboveHalfAndClearedOtherwise) {
    const double flipped = CallNamed(nullptr, "tile_set_flip", 5, 1);
    EXPECT_EQ(flipped, 5 + kTileFlip);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_flip", flipped, 0), 5);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_mirror", 5, 0.6), 5 + kTileMirror);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_rotate", 5 + kTileRotate + kTileFlip, 0.5),
              5 + kTileFlip);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_rotate", 5, 1), 5 + kTileRotate);
    EXPECT_TRUE(errors_.Empty());

    CallNamed(nullptr, "tile_set_mirror", 5);
    CallNamed(nullptr, "tile_set_flip", 5, 1, 1);
    CallNamed(nullptr, "tile_set_rotate");
    EXPECT_EQ(errors_.Messages(), (std::vector<std::string>{
                                      "tile_set_mirror() - wrong number of arguments",
                                      "tile_set_flip() - wrong number of arguments",
                                      "tile_set_rotate() - wrong number of arguments",
                                  }));
}

TEST_F(TileMapTest, TileMapsAreMadeOnALayerByIdOrName) {
    const int32_t package_map = FirstElementId("Tiles");
    const auto by_name =
        int32_t(CallNamed(nullptr, "layer_tilemap_create", "Things", 16, 24, 0, 4, 2));
    const auto by_id = int32_t(CallNamed(nullptr, "layer_tilemap_create", 2, 0, 0, 0, 1, 1));
    EXPECT_GT(by_name, package_map);
    EXPECT_EQ(by_id, by_name + 1);
    const TileMapElement& made = *FindTileMap(*CurrentRoom(), by_name);
    EXPECT_EQ(made.x, 16);
    EXPECT_EQ(made.y, 24);
    EXPECT_EQ(made.map.width, 4u);
    EXPECT_EQ(made.map.height, 2u);
    EXPECT_EQ(made.map.cells, std::vector<uint32_t>(8, 0));
    EXPECT_EQ(CurrentRoom()->FindLayer("Things")->elements.size(), 2u);
    EXPECT_TRUE(errors_.Empty());

    EXPECT_EQ(CallNamed(nullptr, "layer_tilemap_create", "Nowhere", 0, 0, 0, 1, 1), -1);
    EXPECT_EQ(CallNamed(nullptr, "layer_tilemap_create", 2, 0, 0, 0, 1), -1);
    EXPECT_EQ(CallNamed(nullptr, "layer_tilemap_create", 2, 0, 0, 0, 100000, 100000), -1);
    EXPECT_EQ(errors_.Messages(),
              (std::vector<std::string>{
                  "layer_tilemap_create() - could not find specified layer in current room",
                  "layer_tilemap_create() - wrong number of arguments",
                  "layer_tilemap_create() - tilemap too large",
              }));
}

TEST_F(TileMapTest, CellsAreSetInsideTheMapAndWithinTheTileSetOrClearedAll) {
    const int32_t map = FirstElementId("Tiles");
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 7 + kTileFlip, 2, 1), 1);
    EXPECT_EQ(Cells(map), (std::vector<uint32_t>{1, 2, 3, 4, 5, 7 + kTileFlip}));

    // Cells outside the map are ignored without a word.
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 1, 3, 0), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 1, 0, -1), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 1, 0, 2), 0);
    EXPECT_EQ(error_output_, "");

    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 8 + kTileMirror, 0, 0), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map + 1000, 1, 0, 0), 0);
    const auto empty = int32_t(CallNamed(nullptr, "layer_tilemap_create", "Things", 0, 0, 0, 0, 3));
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", empty, 1, 0, 0), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_clear", map + 1000, 0), 0);
    EXPECT_EQ(Cells(map), (std::vector<uint32_t>{1, 2, 3, 4, 5, 7 + kTileFlip}));
    EXPECT_EQ(error_output_, "tilemap_set() - tile index outside tile set size\n"
                             "tilemap_set() - couldn't find specified tilemap\n"
                             "tilemap_set() - tilemap is 0 by 0, not setting anything\n"
                             "tilemap_clear() - couldn't find specified tilemap\n");

    EXPECT_EQ(CallNamed(nullptr, "tilemap_clear", map, 2 + kTileRotate), 1);
    EXPECT_EQ(Cells(map), std::vector<uint32_t>(6, 2 + kTileRotate));
    EXPECT_TRUE(errors_.Empty());
    CallNamed(nullptr, "tilemap_set", map, 1, 0);
    CallNamed(nullptr, "tilemap_clear", map);
    EXPECT_EQ(errors_.Messages(), (std::vector<std::string>{
                                      "tilemap_set() - wrong number of arguments",
                                      "tilemap_clear() - wrong number of arguments",
                                  }));
}

} // namespace
