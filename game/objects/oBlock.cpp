// oBlock: a solid block, stretched over whole cells. It writes itself into the level grids and
// is never drawn itself: the tiler of its kind draws the level. The themed blocks (oSnowBlock,
// ...) inherit this Create and get a tiler with their own tile set.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/LevelCells.h"

namespace {

// "ts" and the object's name between its first letter and "Block": oSnowBlock has tsSnow.
Value TileSetOf(CInstance* self, CInstance* other, const Value& object) {
    const Value name = Call(self, other, FN_object_get_name, object);
    const Value theme = Call(self, other, FN_string_copy, name, Value(2),
                             Call(self, other, FN_string_pos, Value("Block"), name) - 2);
    return Call(self, other, FN_asset_get_index, Value("ts") + theme);
}

// One tiler a tile set: made by the first block that needs it.
void EnsureTiler(CInstance* self, CInstance* other, const Value& object) {
    const Value tile_set = TileSetOf(self, other, object);
    bool found = false;
    With(self, other, oTilesetter,
         [&](CInstance* tiler, CInstance*) { found |= Var(tiler, SLOT_ts) == tile_set; });
    if (found) return;
    const Value tiler = Call(self, other, FN_instance_create_depth, Value(0), Value(0), Value(-100),
                             Value(oTilesetter));
    SetVarOf(int32_t(Real(tiler)), SLOT_ts, tile_set);
    SetVarOf(int32_t(Real(tiler)), SLOT_block, object);
}

} // namespace

void psl_Object_oBlock_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBlock_Create_0");
    const Value object = BuiltinVar(self, VAR_object_index);
    const double x = Real(BuiltinVar(self, VAR_x)), y = Real(BuiltinVar(self, VAR_y));
    const double columns = Real(BuiltinVar(self, VAR_image_xscale));
    const double rows = Real(BuiltinVar(self, VAR_image_yscale));
    for (double i = 0; i < columns; ++i)
        for (double j = 0; j < rows; ++j) {
            const Value cx = CellOf(Value(x + kCellSize * i)),
                        cy = CellOf(Value(y + kCellSize * j));
            CallScript(psl_Script_grid_set, self, other, Global(SLOT_tile_grid), cx, cy, object);
            CallScript(psl_Script_grid_set, self, other, Global(SLOT_block_grid), cx, cy, Value(1));
        }

    frame.Line(2);
    SetBuiltinVar(self, VAR_visible, Value(0));
    SetBuiltinVar(self, VAR_solid, Value(1));

    frame.Line(3);
    if (Real(object) != oBlock) EnsureTiler(self, other, object);
}
