// The level grid, blocks and hazards, and the tiler, in an empty room of the game's own package.
#include <algorithm>
#include <set>
#include <vector>

#include "GameFixture.h"
#include "Package/PackageFormat.h"
#include "Platform/MessageDialog.h"
#include "Room/RoomLayers.h"

namespace {

constexpr uint32_t M = package::kTileMirror, F = package::kTileFlip, R = package::kTileRotate;

class LevelGridTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartInAnEmptyRoom();
    }

    static CInstance* PlaceSnow(double cx, double cy) { return Place(oSnowBlock, 16 * cx, 16 * cy); }
    static double Cell(int32_t grid, double cx, double cy) {
        return Real(Run(psl_Script_grid_get, Global(grid), cx, cy));
    }
    // The tiler, after it has laid its tiles.
    static CInstance* Tile() {
        CInstance* tiler = FirstOf(oTilesetter);
        event_user(tiler, tiler, 0);
        return tiler;
    }

    // Every cell of every layer of the tiler's tile maps.
    static std::vector<uint32_t> Maps(CInstance* tiler) {
        std::vector<uint32_t> cells;
        for (int32_t slot : {SLOT_tl_base, SLOT_tl_scenery, SLOT_tl_up, SLOT_tl_down, SLOT_tl_left, SLOT_tl_right,
                             SLOT_tl_ul, SLOT_tl_ur, SLOT_tl_dl, SLOT_tl_dr})
            cells.insert(cells.end(), Map(tiler, slot).cells.begin(), Map(tiler, slot).cells.end());
        return cells;
    }
    static const TileMap& Map(CInstance* tiler, int32_t layer_slot) {
        const Value id = Call(tiler, tiler, FN_ds_map_find_value, Var(tiler, SLOT_tl_map), Var(tiler, layer_slot));
        return FindTileMap(*CurrentRoom(), int32_t(Real(id)))->map;
    }
    static uint32_t At(CInstance* tiler, int32_t layer_slot, uint32_t cx, uint32_t cy) {
        const TileMap& map = Map(tiler, layer_slot);
        return map.cells[cy * map.width + cx];
    }
    static long Count(CInstance* tiler, int32_t layer_slot) {
        return std::count_if(Map(tiler, layer_slot).cells.begin(), Map(tiler, layer_slot).cells.end(),
                             [](uint32_t cell) { return cell != 0; });
    }
};

class MessageRecorder final : public MessageDialog {
public:
    MessageRecorder() { SetActiveMessageDialog(this); }
    ~MessageRecorder() override { SetActiveMessageDialog(nullptr); }
    void ShowMessage(const std::string&, const std::string& text) override { messages.push_back(text); }
    ErrorChoice ShowErrorReport(const std::string&, bool) override { return ErrorChoice::Abort; }
    std::vector<std::string> messages;
};

TEST_F(LevelGridTest, BlocksAndHazardsTakeTheirCells) {
    // (320 + 320 + 16) / 16 by 180 / 16 cells, sixteen times over
    EXPECT_EQ(Real(Builtin("ds_grid_width", Global(SLOT_block_grid))), 16 * 41);
    EXPECT_EQ(Real(Builtin("ds_grid_height", Global(SLOT_tile_grid))), 16 * 12);

    CInstance* block = Place(oSnowBlock, 32, 16, 3, 2);
    for (int cx = 1; cx <= 5; ++cx)
        for (int cy = 0; cy <= 3; ++cy) {
            const bool inside = cx >= 2 && cx <= 4 && cy >= 1 && cy <= 2;
            EXPECT_EQ(Cell(SLOT_tile_grid, cx, cy), inside ? oSnowBlock : 0) << cx << "," << cy;
            EXPECT_EQ(Cell(SLOT_block_grid, cx, cy), inside ? 1 : 0) << cx << "," << cy;
        }
    EXPECT_FALSE(Value(BuiltinVar(block, VAR_visible)));

    // One tiler for the snow blocks, none for plain blocks.
    PlaceSnow(10, 10);
    Place(oBlock, 0, 160);
    EXPECT_EQ(GameFixture::Count(oTilesetter), 1);
    CInstance* tiler = FirstOf(oTilesetter);
    EXPECT_EQ(Get(tiler, SLOT_ts), tsSnow);
    EXPECT_EQ(Get(tiler, SLOT_block), oSnowBlock);
    EXPECT_EQ(Cell(SLOT_tile_grid, 0, 10), oBlock);

    Place(oHazard, 64, 96, 2, 1);
    RunFrames(1);
    std::set<std::string> hazards;
    With(nullptr, nullptr, oHazard, [&](CInstance* hazard, CInstance*) {
        hazards.insert(ValueText(BuiltinVar(hazard, VAR_x)) + "," + ValueText(Var(hazard, SLOT_hurtful)) + "," +
                       ValueText(BuiltinVar(hazard, VAR_image_xscale)));
    });
    EXPECT_EQ(hazards, (std::set<std::string>{"64,1,1", "80,1,1"}));
    EXPECT_EQ(Cell(SLOT_tile_grid, 5, 6), oHazard);
    EXPECT_EQ(Cell(SLOT_block_grid, 5, 6), 0);

    // Leaving the room leaves nothing solid behind.
    Builtin("room_restart");
    RunFrames(2);
    EXPECT_EQ(Cell(SLOT_block_grid, 3, 1), 0);
    EXPECT_EQ(Cell(SLOT_tile_grid, 10, 10), 0);
}

TEST_F(LevelGridTest, GridAndPlacementScripts) {
    Run(psl_Script_grid_set, Global(SLOT_tile_grid), -1, 0, 7);
    Run(psl_Script_grid_set, Global(SLOT_tile_grid), 656, 0, 7);
    EXPECT_EQ(Cell(SLOT_tile_grid, 655, 0), 0);
    EXPECT_EQ(Cell(SLOT_tile_grid, 0, 0), 0);
    EXPECT_EQ(Cell(SLOT_tile_grid, 0, 192), -1);
    EXPECT_EQ(Real(Run(psl_Script_grid_get, Global(SLOT_tile_grid), -1, 0, 9)), 9);

    // A 16-pixel box at (32, 16) ends on the borders of cells 3 and 2.
    CInstance* mover = Place(oBlock, 32, 16, 1, 1, false);
    const auto free_at = [&](double x, double y) {
        return bool(CallScript(psl_Script_grid_place_free, mover, mover, Value(x), Value(y), Value(1)));
    };
    for (auto [cx, cy] : {std::pair{3, 1}, {2, 2}, {655, 1}})
        Run(psl_Script_grid_set, Global(SLOT_block_grid), cx, cy, 1);
    EXPECT_TRUE(free_at(32, 16));
    EXPECT_FALSE(free_at(33, 16));
    EXPECT_FALSE(free_at(32, 17));
    EXPECT_TRUE(free_at(0, 16));
    EXPECT_FALSE(free_at(-8, 16)); // wraps onto the last column

    const std::string first = ValueText(Run(psl_Script_pos_choose, 3, 4, "a", "b"));
    Builtin("randomize");
    EXPECT_EQ(ValueText(Run(psl_Script_pos_choose, 3, 4, "a", "b")), first);
    std::set<double> chosen;
    for (int cx = 0; cx < 8; ++cx) chosen.insert(Real(Run(psl_Script_pos_choose, cx, 0, 1, 2, 3)));
    EXPECT_EQ(chosen.size(), 3u);

    CInstance* left = Place(oBlock, 160, 160, 1, 1, false);
    CInstance* touching = Place(oBlock, 176, 160, 1, 1, false);
    CInstance* apart = Place(oBlock, 129, 160, 1, 1, false);
    EXPECT_EQ(Real(CallScript(psl_Script_instance_adjacent, left, left, Value(oBlock))), touching->id);
    EXPECT_EQ(Real(CallScript(psl_Script_instance_adjacent, apart, apart, Value(oBlock))), noone);

    // No player: the first screen counts.
    CInstance* away = Place(oBlock, 330, 16, 1, 1, false);
    EXPECT_FALSE(Value(CallScript(psl_Script_outside_view, left, left)));
    EXPECT_TRUE(Value(CallScript(psl_Script_outside_view, left, left, Value(away->id))));
    EXPECT_TRUE(Value(CallScript(psl_Script_outside_view, left, left, Value(-12345))));
}

TEST_F(LevelGridTest, BlocksOffTheGridAreReported) {
    MessageRecorder dialog;
    Place(oSnowBlock, 8, 32);
    Place(oBlock, 48, 32, 2, 1);
    Place(oBlock, 64, 64, 1.5, 1);
    CInstance* warning = Place(oWarning, 0, 0);
    event_perform(warning, warning, ev_other, ev_room_start);
    EXPECT_EQ(dialog.messages,
              (std::vector<std::string>{"Warning: bad block at 8 32 1 1", "Warning: bad block at 64 64 1.50 1"}));
    EXPECT_EQ(Cell(SLOT_tile_grid, 0, 2), oSnowBlock);
}

TEST_F(LevelGridTest, ALoneCellIsFramedOnAllSides) {
    PlaceSnow(5, 5);
    CInstance* tiler = Tile();
    EXPECT_EQ(Get(tiler, SLOT_tiled), 1);
    // Each layer holds one tile: one of its kind, turned its way (no inner corner).
    struct Expected {
        int32_t slot;
        uint32_t cx, cy, flags;
        std::set<uint32_t> kinds;
    };
    const std::set<uint32_t> edge{7, 11};
    for (const Expected& e : {Expected{SLOT_tl_base, 5, 5, 0, {5, 6, 9, 10}},
                              {SLOT_tl_left, 4, 5, M, edge},
                              {SLOT_tl_right, 6, 5, 0, edge},
                              {SLOT_tl_up, 5, 4, R | M, edge},
                              {SLOT_tl_down, 5, 6, R, edge},
                              {SLOT_tl_ur, 6, 4, 0, {16}},
                              {SLOT_tl_ul, 4, 4, M, {16}},
                              {SLOT_tl_dr, 6, 6, F, {18}},
                              {SLOT_tl_dl, 4, 6, M | F, {18}}}) {
        const uint32_t tile = At(tiler, e.slot, e.cx, e.cy);
        EXPECT_TRUE(e.kinds.count(tile & ~(M | F | R))) << tile;
        EXPECT_EQ(tile & (M | F | R), e.flags);
        EXPECT_EQ(Count(tiler, e.slot), 1);
    }
}

TEST_F(LevelGridTest, CornersAndTheGridsBorder) {
    // An L of three cells leaves a notch at (1, 0); a cell on the top row has nothing above it.
    for (auto [cx, cy] : {std::pair{0, 1}, {0, 0}, {1, 1}, {6, 0}}) PlaceSnow(cx, cy);
    CInstance* tiler = Tile();
    EXPECT_EQ(At(tiler, SLOT_tl_ur, 1, 0), 17u);
    EXPECT_EQ(Count(tiler, SLOT_tl_ur), 2); // and the outer corner at (2, 0)
    EXPECT_EQ(At(tiler, SLOT_tl_ur, 2, 0), 16u);
    EXPECT_EQ(Count(tiler, SLOT_tl_up), 1); // only (1, 1) is open above
    EXPECT_EQ(Count(tiler, SLOT_tl_ul), 0);
    EXPECT_NE(At(tiler, SLOT_tl_right, 7, 0), 0u);
}

TEST_F(LevelGridTest, DecorationsStayOffHazards) {
    for (int cx = 1; cx <= 30; ++cx) PlaceSnow(cx, 5);
    CInstance* tiler = Tile();
    std::vector<uint32_t> decorated;
    for (uint32_t cx = 1; cx <= 30; ++cx) {
        if (const uint32_t above = At(tiler, SLOT_tl_scenery, cx, 4)) {
            EXPECT_TRUE(above >= 1 && above <= 3) << above;
            decorated.push_back(cx);
        }
        const uint32_t below = At(tiler, SLOT_tl_scenery, cx, 6);
        EXPECT_TRUE(below == 0 || (below >= 13 && below <= 15)) << below;
    }
    ASSERT_FALSE(decorated.empty());
    ASSERT_LT(decorated.size(), 30u);

    for (uint32_t cx : decorated) Place(oHazard, 16 * cx, 64);
    Tile();
    for (uint32_t cx : decorated)
        EXPECT_EQ(At(tiler, SLOT_tl_scenery, cx, 4), 0u) << cx;
}

TEST_F(LevelGridTest, ARetiledNeighbourhoodMatchesAWholeTiling) {
    for (int cx = 2; cx <= 9; ++cx)
        for (int cy = 3; cy <= 6; ++cy) PlaceSnow(cx, cy);
    CInstance* tiler = Tile();
    // Cells taken out of a side, a corner and the middle (twice: then the hole's far rim is two
    // cells away), then one put back.
    for (auto [cx, cy, object] : {std::tuple{5, 3, 0}, {9, 6, 0}, {6, 5, 0}, {7, 5, 0}, {5, 3, int(oSnowBlock)}}) {
        const std::vector<uint32_t> before = Maps(tiler);
        Run(psl_Script_grid_set, Global(SLOT_tile_grid), cx, cy, object);
        Assign(Var(tiler, SLOT_destroyed_tile_x), Value(cx));
        Assign(Var(tiler, SLOT_destroyed_tile_y), Value(cy));
        Tile();
        const std::vector<uint32_t> local = Maps(tiler);
        EXPECT_EQ(Get(tiler, SLOT_destroyed_tile_x), -1);
        EXPECT_NE(local, before) << cx << "," << cy;
        Tile();
        EXPECT_EQ(local, Maps(tiler)) << cx << "," << cy;
    }
}

} // namespace
