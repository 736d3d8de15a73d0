// The level's cell grids: reads and writes that leave cells outside the grid alone, and whether
// a bounding box moved somewhere covers a block cell.
#include <cmath>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/LevelCells.h"

namespace {

// The grid and cell of a grid script's first three arguments.
struct GridCell {
    const RValue& grid;
    const RValue& cx;
    const RValue& cy;

    bool Inside(CInstance* self, CInstance* other) const {
        return Real(cx) >= 0 && Real(cy) >= 0 &&
               Real(cx) < Real(Call(self, other, FN_ds_grid_width, grid)) &&
               Real(cy) < Real(Call(self, other, FN_ds_grid_height, grid));
    }
};

GridCell CellArguments(int argc, RValue** argv) {
    return {Argument(argc, argv, 0), Argument(argc, argv, 1), Argument(argc, argv, 2)};
}

// A block cell in the columns x1..x2 and rows y1..y2 of the block grid.
bool BlockIn(CInstance* self, CInstance* other, double x1, double y1, double x2, double y2) {
    return bool(Call(self, other, FN_ds_grid_value_exists, Global(SLOT_block_grid), Value(x1),
                     Value(y1), Value(x2), Value(y2), Value(1)));
}

} // namespace

// grid_set(grid, cx, cy, value)
RValue* psl_Script_grid_set(CInstance* self, CInstance* other, RValue* result, int argc,
                            RValue** argv) {
    ScriptFrame frame("psl_Script_grid_set", result);
    const GridCell cell = CellArguments(argc, argv);
    if (cell.Inside(self, other))
        Call(self, other, FN_ds_grid_set, cell.grid, cell.cx, cell.cy, Argument(argc, argv, 3));
    return result;
}

// grid_get(grid, cx, cy, [default = -1])
RValue* psl_Script_grid_get(CInstance* self, CInstance* other, RValue* result, int argc,
                            RValue** argv) {
    ScriptFrame frame("psl_Script_grid_get", result);
    const GridCell cell = CellArguments(argc, argv);
    Assign(*result, cell.Inside(self, other)
                        ? Call(self, other, FN_ds_grid_get, cell.grid, cell.cx, cell.cy)
                        : ArgumentOr(argc, argv, 3, Value(-1)));
    return result;
}

// grid_place_free(x, y, [grid_only = false]): the caller's box moved to (x, y) covers no block
// cell, also across the room's wrap, and (unless grid_only) meets no solid instance. The right
// and bottom edges are the box's last pixels, so a box ending on a cell border stays out of the
// next cell.
RValue* psl_Script_grid_place_free(CInstance* self, CInstance* other, RValue* result, int argc,
                                   RValue** argv) {
    ScriptFrame frame("psl_Script_grid_place_free", result);
    const RValue& x = Argument(argc, argv, 0);
    const RValue& y = Argument(argc, argv, 1);
    const double dx = Real(x) - Real(BuiltinVar(self, VAR_x));
    const double dy = Real(y) - Real(BuiltinVar(self, VAR_y));
    const auto cell = [&](const VariablePair& side, double shift) {
        return std::floor((Real(BuiltinVar(self, side)) + shift) / kCellSize);
    };
    const double x1 = cell(VAR_bbox_left, dx), x2 = cell(VAR_bbox_right, dx);
    const double y1 = cell(VAR_bbox_top, dy), y2 = cell(VAR_bbox_bottom, dy);

    frame.Line(2);
    const double width = Real(Call(self, other, FN_ds_grid_width, Global(SLOT_block_grid)));
    if (x1 < 0 && BlockIn(self, other, x1 + width, y1, x2 + width, y2)) return result;
    if (x2 >= width && BlockIn(self, other, x1 - width, y1, x2 - width, y2)) return result;

    frame.Line(3);
    if (BlockIn(self, other, x1, y1, x2, y2)) return result;

    frame.Line(4);
    if (ArgumentOr(argc, argv, 2, Value(0)))
        Assign(*result, Value(1));
    else
        Assign(*result, Call(self, other, FN_place_free, x, y));
    return result;
}
