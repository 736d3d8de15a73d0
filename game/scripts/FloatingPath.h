// The floating path that enemies and the Presence follow: `hamp` and `vamp` pixels about the start,
// once around every `hper` and `vper` steps of the step count `stepc`.
#pragma once

#include <numbers>

#include "CodeTable.h"
#include "GameNames.h"

// The caller where its path puts it at its `stepc`; `side` -1 mirrors the path left to right.
inline void PlaceOnFloatingPath(CInstance* self, CInstance* other, double side = 1) {
    const Value turn = Var(self, SLOT_stepc) * (2 * std::numbers::pi);
    SetBuiltinVar(self, VAR_x, BuiltinVar(self, VAR_xstart) +
                                   Var(self, SLOT_hamp) * (Call(self, other, FN_sin, turn / Var(self, SLOT_hper)) * side));
    SetBuiltinVar(self, VAR_y, BuiltinVar(self, VAR_ystart) +
                                   Var(self, SLOT_vamp) * Call(self, other, FN_sin, turn / Var(self, SLOT_vper)));
}
