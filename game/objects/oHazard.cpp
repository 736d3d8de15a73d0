// oHazard: the parent of everything that hurts to touch. A hazard laid over several cells
// becomes one hazard a cell, so each is hit, and marked in the tile grid, on its own.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/LevelCells.h"

void psl_Object_oHazard_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oHazard_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_hurtful), Value(1));
    const Value object = BuiltinVar(self, VAR_object_index);
    const Value x = BuiltinVar(self, VAR_x), y = BuiltinVar(self, VAR_y);
    const double columns = Real(BuiltinVar(self, VAR_image_xscale));
    const double rows = Real(BuiltinVar(self, VAR_image_yscale));
    if (columns == 1 && rows == 1) {
        CallScript(psl_Script_grid_set, self, other, Global(SLOT_tile_grid), CellOf(x), CellOf(y),
                   object);
        return;
    }

    frame.Line(2);
    const Value depth = BuiltinVar(self, VAR_depth);
    for (double i = 0; i < columns; ++i)
        for (double j = 0; j < rows; ++j)
            Call(self, other, FN_instance_create_depth, x + kCellSize * i, y + kCellSize * j, depth,
                 object);
    Call(self, other, FN_instance_destroy);
}
