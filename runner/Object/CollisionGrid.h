// The spatial structure of fast collision: a uniform grid of square cells, hashed by cell, each
// listing the instances whose bounding box touches it. A query visits each instance whose box
// touches the queried area's cells once. Instances keep the cell range they were entered with,
// so moving one touches only the cells it leaves and enters.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "Variable/CInstance.h"

class CollisionGrid {
public:
    static constexpr int32_t kCellShift = 6; // 64-pixel cells: a few cells per sprite

    // Enters the instance with its current box, or moves it to the cells of its current box.
    void Place(CInstance* instance);
    void Remove(CInstance* instance);
    void Clear();
    // Rebuilds every cell from scratch for these instances.
    void Rebuild(std::span<CInstance* const> instances);

    // Calls visit(instance) once for each entered instance whose cells meet the box's cells.
    template <typename Visit>
    void Query(const CInstance::Box& area, Visit visit) {
        const CellRange range = RangeOf(area);
        ++query_mark_;
        for (int32_t cy = range.top; cy <= range.bottom; ++cy)
            for (int32_t cx = range.left; cx <= range.right; ++cx) {
                auto cell = cells_.find(Key(cx, cy));
                if (cell == cells_.end()) continue;
                for (CInstance* instance : cell->second) {
                    if (instance->grid_query_mark == query_mark_) continue;
                    instance->grid_query_mark = query_mark_;
                    visit(instance);
                }
            }
    }

private:
    using CellRange = CInstance::Box;

    static CellRange RangeOf(const CInstance::Box& box) {
        return {box.left >> kCellShift, box.top >> kCellShift, box.right >> kCellShift, box.bottom >> kCellShift};
    }
    static uint64_t Key(int32_t cx, int32_t cy) { return (uint64_t(uint32_t(cx)) << 32) | uint32_t(cy); }
    void Enter(CInstance* instance, const CellRange& range);
    void Leave(CInstance* instance, const CellRange& range);

    std::unordered_map<uint64_t, std::vector<CInstance*>> cells_;
    uint32_t query_mark_ = 0;
};
