// Entering and leaving grid cells.
#include "Object/CollisionGrid.h"

#include <algorithm>

void CollisionGrid::Enter(CInstance* instance, const CellRange& range) {
    for (int32_t cy = range.top; cy <= range.bottom; ++cy)
        for (int32_t cx = range.left; cx <= range.right; ++cx) cells_[Key(cx, cy)].push_back(instance);
    instance->grid_cells = range;
    instance->flags |= INSTANCE_FLAG_IN_COLLISION_GRID;
}

void CollisionGrid::Leave(CInstance* instance, const CellRange& range) {
    for (int32_t cy = range.top; cy <= range.bottom; ++cy)
        for (int32_t cx = range.left; cx <= range.right; ++cx) {
            auto cell = cells_.find(Key(cx, cy));
            if (cell == cells_.end()) continue;
            std::vector<CInstance*>& list = cell->second;
            // Order within a cell does not matter: swap the last one in.
            auto at = std::find(list.begin(), list.end(), instance);
            if (at != list.end()) {
                *at = list.back();
                list.pop_back();
            }
        }
    instance->flags &= ~INSTANCE_FLAG_IN_COLLISION_GRID;
}

void CollisionGrid::Place(CInstance* instance) {
    const CellRange range = RangeOf(instance->bbox);
    if (instance->Has(INSTANCE_FLAG_IN_COLLISION_GRID)) {
        const CellRange& old = instance->grid_cells;
        if (old == range) return;
        Leave(instance, old);
    }
    Enter(instance, range);
}

void CollisionGrid::Remove(CInstance* instance) {
    if (instance->Has(INSTANCE_FLAG_IN_COLLISION_GRID)) Leave(instance, instance->grid_cells);
}

void CollisionGrid::Clear() { cells_.clear(); }

void CollisionGrid::Rebuild(std::span<CInstance* const> instances) {
    cells_.clear();
    for (CInstance* instance : instances) Enter(instance, RangeOf(instance->bbox));
}
