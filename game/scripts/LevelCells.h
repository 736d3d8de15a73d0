// The level's size in 16-pixel cells: the room's rows, and its columns with a screen and a cell
// more, so that what wraps past the right edge still has cells. The tile maps have this size;
// the level grids sixteen times it.
#pragma once

#include <cmath>

#include "GameNames.h"

inline constexpr double kCellSize = 16;

inline double LevelColumns(CInstance* self) {
    return std::ceil(
        (Real(BuiltinVar(self, VAR_room_width)) + Real(Global(SLOT_view_width)) + kCellSize) /
        kCellSize);
}

inline double LevelRows(CInstance* self) {
    return std::ceil(Real(BuiltinVar(self, VAR_room_height)) / kCellSize);
}

// The cell a pixel coordinate lies in, by whole-number division.
inline Value CellOf(const RValue& pixel) {
    return Div(pixel, Value(kCellSize));
}
