#include "RoomCells.h"

#include <cmath>

namespace {

bool DescendsFrom(std::string object, const std::string& ancestor, const ParentOf& parent) {
    // The packer refuses parents that go round in a circle; the bound only guards other callers.
    for (int depth = 0; !object.empty() && depth < 64; ++depth, object = parent(object))
        if (object == ancestor) return true;
    return false;
}

} // namespace

CellKind KindOfObject(const std::string& object, const ParentOf& parent) {
    if (DescendsFrom(object, "oBossBlock", parent)) return CellKind::Free;
    if (DescendsFrom(object, "oBlock", parent) || DescendsFrom(object, "oSolid", parent)) return CellKind::Solid;
    if (DescendsFrom(object, "oSpike", parent)) return CellKind::Hazard;
    return CellKind::Free;
}

RoomCells::RoomCells(const RoomSource& room, const ParentOf& parent)
    : width_(room.width), height_(room.height), columns_((room.width + kCellSize - 1) / kCellSize),
      rows_((room.height + kCellSize - 1) / kCellSize), kinds_(size_t(columns_) * size_t(rows_), CellKind::Free) {
    for (const InstanceSource& instance : room.instances) {
        const CellKind kind = KindOfObject(instance.object, parent);
        if (kind == CellKind::Free) continue;
        // A listed instance need not sit on the grid: it marks every cell it overlaps.
        const int right = instance.x + instance.scale_x * kCellSize, bottom = instance.y + instance.scale_y * kCellSize;
        for (int row = std::max(0, instance.y / kCellSize); row < rows_ && row * kCellSize < bottom; ++row)
            for (int column = std::max(0, instance.x / kCellSize); column < columns_ && column * kCellSize < right; ++column) {
                CellKind& cell = kinds_[size_t(row) * size_t(columns_) + size_t(column)];
                if (cell != CellKind::Solid) cell = kind;
            }
    }
}

CellKind RoomCells::At(int column, int row) const {
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return CellKind::Free;
    return kinds_[size_t(row) * size_t(columns_) + size_t(column)];
}

std::optional<Cell> RoomCells::BoxMeets(const PlayerBox& box, double x, double y, CellKind kind) const {
    const int left = int(std::floor((x + box.left) / kCellSize)), right = int(std::ceil((x + box.right) / kCellSize));
    const int top = int(std::floor((y + box.top) / kCellSize)), bottom = int(std::ceil((y + box.bottom) / kCellSize));
    for (int row = top; row < bottom; ++row)
        for (int column = left; column < right; ++column)
            if (At(column, row) == kind) return Cell{column, row};
    return std::nullopt;
}
