// Entering and leaving grid cells, and fitting the cells to the room.
#include "Object/CollisionGrid.h"

void CollisionGrid::Add(Cell& cell, uint32_t slot) {
    if (cell.count < kInlineSlots) {
        cell.slots[cell.count++] = slot;
        return;
    }
    if (cell.spill == UINT32_MAX) {
        cell.spill = uint32_t(spills_.size());
        spills_.emplace_back();
    }
    std::vector<uint32_t>& spill = spills_[cell.spill];
    if (cell.count == kInlineSlots) spill.assign(cell.slots, cell.slots + kInlineSlots);
    spill.push_back(slot);
    ++cell.count;
}

void CollisionGrid::Drop(Cell& cell, uint32_t slot) {
    const bool spilled = cell.count > kInlineSlots;
    const std::span<uint32_t> slots =
        spilled ? std::span(spills_[cell.spill]) : std::span(cell.slots, cell.count);
    auto at = std::find(slots.begin(), slots.end(), slot);
    if (at == slots.end()) return;
    // Order within a cell does not matter: the last slot takes the place of this one.
    *at = slots.back();
    --cell.count;
    if (!spilled) return;
    spills_[cell.spill].pop_back();
    if (cell.count == kInlineSlots) std::copy_n(spills_[cell.spill].begin(), kInlineSlots, cell.slots);
}

void CollisionGrid::Enter(uint32_t slot, const CellRange& range) {
    for (int32_t cy = range.top; cy <= range.bottom; ++cy)
        for (int32_t cx = range.left; cx <= range.right; ++cx) Add(cells_[Index(cx, cy)], slot);
}

void CollisionGrid::Leave(uint32_t slot, const CellRange& range) {
    for (int32_t cy = range.top; cy <= range.bottom; ++cy)
        for (int32_t cx = range.left; cx <= range.right; ++cx) Drop(cells_[Index(cx, cy)], slot);
}

void CollisionGrid::Refit(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    auto cells_for = [](int32_t pixels) {
        const int64_t cells = (int64_t(pixels) + (1 << kCellShift) - 1) >> kCellShift;
        return int32_t(std::clamp<int64_t>(cells, 1, kMaxCellsPerSide));
    };
    const int32_t columns = cells_for(width);
    const int32_t rows = cells_for(height);
    if (columns == columns_ && rows == rows_) return;
    columns_ = columns;
    rows_ = rows;
    cells_.assign(size_t(columns) * size_t(rows), {});
    spills_.clear();
    for (uint32_t slot = 0; slot < entries_.size(); ++slot)
        if (CInstance* instance = entries_[slot].instance) {
            instance->grid_cells = RangeOf(entries_[slot].box);
            Enter(slot, instance->grid_cells);
        }
}

void CollisionGrid::Place(CInstance* instance) {
    const CellRange range = RangeOf(instance->bbox);
    if (instance->Has(INSTANCE_FLAG_IN_COLLISION_GRID)) {
        entries_[instance->grid_slot].box = instance->bbox;
        if (instance->grid_cells == range) return;
        Leave(instance->grid_slot, instance->grid_cells);
    } else {
        instance->grid_slot = uint32_t(entries_.size());
        if (free_slots_.empty()) {
            entries_.push_back({});
        } else {
            instance->grid_slot = free_slots_.back();
            free_slots_.pop_back();
        }
        entries_[instance->grid_slot] = {instance, instance->bbox};
        instance->flags |= INSTANCE_FLAG_IN_COLLISION_GRID;
    }
    Enter(instance->grid_slot, range);
    instance->grid_cells = range;
}

void CollisionGrid::Remove(CInstance* instance) {
    if (!instance->Has(INSTANCE_FLAG_IN_COLLISION_GRID)) return;
    Leave(instance->grid_slot, instance->grid_cells);
    entries_[instance->grid_slot].instance = nullptr;
    free_slots_.push_back(instance->grid_slot);
    instance->flags &= ~INSTANCE_FLAG_IN_COLLISION_GRID;
}

void CollisionGrid::Rebuild(std::span<CInstance* const> instances) {
    for (const Entry& entry : entries_)
        if (entry.instance) entry.instance->flags &= ~INSTANCE_FLAG_IN_COLLISION_GRID;
    entries_.clear();
    free_slots_.clear();
    std::fill(cells_.begin(), cells_.end(), Cell{});
    spills_.clear();
    for (CInstance* instance : instances) Place(instance);
}
