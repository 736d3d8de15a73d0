// oBossBlock: a wall of a boss arena. Unlike the level's blocks it stays out of the level grids
// and draws itself, a slab of tsBoss in each of its cells: unseen and open until a fight starts,
// then seen and solid until it ends.
#include <cstdint>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/LevelCells.h"

namespace {

constexpr double kSlabs[] = {5, 6, 9, 10};

// A slab fixed by its cell, so a wall looks the same every fight. A hash rather than pos_choose,
// which would reseed the game's random numbers as the room starts.
double SlabAt(double cx, double cy) {
    uint32_t hash = uint32_t(int64_t(cx)) * 374761393u + uint32_t(int64_t(cy)) * 668265263u;
    hash = (hash ^ (hash >> 13)) * 1274126177u;
    return kSlabs[(hash ^ (hash >> 16)) % 4];
}

} // namespace

// The wall's picture is laid once on a tile map of its own, on a layer the room never shows.
void psl_Object_oBossBlock_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBossBlock_Create_0");
    SetBuiltinVar(self, VAR_visible, Value(0));
    SetBuiltinVar(self, VAR_solid, Value(0));

    frame.Line(2);
    const Value layer = Call(self, other, FN_layer_create, BuiltinVar(self, VAR_depth));
    Call(self, other, FN_layer_set_visible, layer, Value(0));
    const Value columns = BuiltinVar(self, VAR_image_xscale),
                rows = BuiltinVar(self, VAR_image_yscale);
    const Value map = Call(self, other, FN_layer_tilemap_create, layer, Value(0), Value(0),
                           Value(tsBoss), columns, rows);
    Assign(Var(self, SLOT_wall_map), map);
    const double left = Real(CellOf(BuiltinVar(self, VAR_x))),
                 top = Real(CellOf(BuiltinVar(self, VAR_y)));
    for (double i = 0; i < Real(columns); ++i)
        for (double j = 0; j < Real(rows); ++j)
            Call(self, other, FN_tilemap_set, map, Value(SlabAt(left + i, top + j)), Value(i),
                 Value(j));
}

void psl_Object_oBossBlock_Draw_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBossBlock_Draw_0");
    Call(self, other, FN_draw_tilemap, Var(self, SLOT_wall_map), BuiltinVar(self, VAR_x),
         BuiltinVar(self, VAR_y));
}
