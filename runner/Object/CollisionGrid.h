// The spatial structure of fast collision: a dense array of square cells over the room, each
// listing the instances whose bounding box touches it. Boxes beyond the room's edges are kept
// in the border cells, so they are still found, only with more company. Each entered instance
// has a slot that holds its box, and a cell lists slots on a cache line of its own: a query
// reads cells and boxes and touches only the instances whose boxes meet its area, and moving an
// instance within its cells rewrites one box.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "Variable/CInstance.h"

class CollisionGrid {
public:
    static constexpr int32_t kCellShift = 6; // 64-pixel cells: a few cells per sprite
    // A huge room's far parts share the border cells rather than take over 16 MB of cells.
    static constexpr int32_t kMaxCellsPerSide = 512;

    // Covers a room of this size in pixels; entered instances move to the new cells.
    void Fit(int32_t width, int32_t height) {
        if (width != width_ || height != height_) Refit(width, height);
    }
    // Enters the instance with its current box, or moves it to its current box.
    void Place(CInstance* instance);
    void Remove(CInstance* instance);
    // Rebuilds the grid from scratch for these instances; the others leave it.
    void Rebuild(std::span<CInstance* const> instances);

    // Calls visit(instance) once for each entered instance whose box, as last placed, meets the
    // area.
    template <typename Visit>
    void Query(const CInstance::Box& area, Visit visit) const {
        const CellRange range = RangeOf(area);
        for (int32_t cy = range.top; cy <= range.bottom; ++cy)
            for (int32_t cx = range.left; cx <= range.right; ++cx)
                ForEachMeeting(Slots(cells_[Index(cx, cy)]), area, [&](const Entry& entry) {
                    // In several of the cells, it is visited from the first of them.
                    const CellRange cells = RangeOf(entry.box);
                    if (cx == std::max(cells.left, range.left) && cy == std::max(cells.top, range.top))
                        visit(entry.instance);
                });
    }

private:
    using CellRange = CInstance::Box;
    struct Entry {
        CInstance* instance; // null in a free slot
        CInstance::Box box;
    };
    static constexpr uint32_t kInlineSlots = 14;
    // A cell holds its slots on its own cache line, or past that many, in a list of its own
    // that it keeps once it has needed one.
    struct alignas(64) Cell {
        uint32_t count = 0;
        uint32_t spill = UINT32_MAX; // in spills_
        uint32_t slots[kInlineSlots];
    };

    std::span<const uint32_t> Slots(const Cell& cell) const {
        if (cell.count <= kInlineSlots) return {cell.slots, cell.count};
        return spills_[cell.spill];
    }
    // Calls visit(entry) for the slots whose boxes meet the area. Few do: the boxes are met in
    // batches without a branch on each, and only those that meet go on.
    template <typename Visit>
    void ForEachMeeting(std::span<const uint32_t> slots, const CInstance::Box& area, Visit visit) const {
        constexpr size_t kBatch = 16;
        for (size_t first = 0; first < slots.size(); first += kBatch) {
            uint32_t met[kBatch];
            size_t count = 0;
            for (uint32_t slot : slots.subspan(first, std::min(kBatch, slots.size() - first))) {
                met[count] = slot;
                count += entries_[slot].box.Meets(area);
            }
            for (uint32_t slot : std::span(met, count)) visit(entries_[slot]);
        }
    }
    // Pixels lo..hi as cells clamped to 0..count-1; an empty span stays empty.
    static void ClampSpan(int32_t& lo, int32_t& hi, int32_t count) {
        lo >>= kCellShift;
        hi >>= kCellShift;
        if (hi < lo) return;
        lo = std::clamp(lo, 0, count - 1);
        hi = std::clamp(hi, 0, count - 1);
    }
    CellRange RangeOf(CInstance::Box box) const {
        ClampSpan(box.left, box.right, columns_);
        ClampSpan(box.top, box.bottom, rows_);
        return box;
    }
    size_t Index(int32_t cx, int32_t cy) const { return size_t(cy) * size_t(columns_) + size_t(cx); }
    void Refit(int32_t width, int32_t height);
    void Enter(uint32_t slot, const CellRange& range);
    void Leave(uint32_t slot, const CellRange& range);
    void Add(Cell& cell, uint32_t slot);
    void Drop(Cell& cell, uint32_t slot);

    std::vector<Entry> entries_; // by slot
    std::vector<uint32_t> free_slots_;
    std::vector<Cell> cells_ = std::vector<Cell>(1);
    std::vector<std::vector<uint32_t>> spills_;
    int32_t width_ = 0; // of the room fitted, in pixels
    int32_t height_ = 0;
    int32_t columns_ = 1;
    int32_t rows_ = 1;
};
