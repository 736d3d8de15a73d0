// oTileGrid: owns the two level grids, which object is on each cell and which cells are solid.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/LevelCells.h"

namespace {

constexpr int32_t kGrids[] = {SLOT_tile_grid, SLOT_block_grid};

} // namespace

void psl_Object_oTileGrid_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTileGrid_Create_0");
    for (int32_t grid : kGrids)
        Assign(Global(grid), Call(self, other, FN_ds_grid_create, Value(256), Value(256)));
}

void psl_Object_oTileGrid_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTileGrid_Destroy_0");
    for (int32_t grid : kGrids)
        Call(self, other, FN_ds_grid_destroy, Global(grid));
}

// The blocks of the room have written themselves in by now; the cells past the room stay 0.
void psl_Object_oTileGrid_Other_4(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTileGrid_Other_4");
    const Value width(kCellSize * LevelColumns(self));
    const Value height(kCellSize * LevelRows(self));
    for (int32_t grid : kGrids)
        Call(self, other, FN_ds_grid_resize, Global(grid), width, height);
}

// The next room's blocks write themselves into empty grids: nothing of this room stays solid.
void psl_Object_oTileGrid_Other_5(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTileGrid_Other_5");
    for (int32_t grid : kGrids)
        Call(self, other, FN_ds_grid_clear, Global(grid), Value(0));
}
