// Grid storage and its whole-grid operations.
#include "Support/CGrid.h"

#include <algorithm>
#include <utility>

#include "Support/DsState.h"

bool CGrid::SizeAllowed(int32_t width, int32_t height) {
    return width >= 0 && height >= 0 && int64_t{width} * height <= kMaxCells;
}

CGrid::CGrid(int32_t width, int32_t height)
    : width_(width), height_(height), cells_(static_cast<size_t>(width) * height, RealValue(0)) {}

CGrid::~CGrid() {
    ReleaseCells();
}

void CGrid::ReleaseCells() {
    for (RValue& cell : cells_)
        FreeValue(cell);
}

void CGrid::Resize(int32_t width, int32_t height) {
    std::vector<RValue> cells(static_cast<size_t>(width) * height, RealValue(0));
    for (int32_t y = 0; y < std::min(height, height_); ++y)
        for (int32_t x = 0; x < std::min(width, width_); ++x)
            std::swap(cells[static_cast<size_t>(y) * width + x], Cell(x, y));
    ReleaseCells();
    cells_ = std::move(cells);
    width_ = width;
    height_ = height;
}

void CGrid::Fill(const RValue& value) {
    for (RValue& cell : cells_)
        CopyValue(cell, value);
}

bool CGrid::ValueExists(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const RValue& value) const {
    if (width_ == 0 || height_ == 0) return false;
    int32_t left = std::clamp(std::min(x1, x2), 0, width_ - 1);
    int32_t right = std::clamp(std::max(x1, x2), 0, width_ - 1);
    int32_t top = std::clamp(std::min(y1, y2), 0, height_ - 1);
    int32_t bottom = std::clamp(std::max(y1, y2), 0, height_ - 1);
    for (int32_t y = top; y <= bottom; ++y)
        for (int32_t x = left; x <= right; ++x)
            if (DsValuesEqual(cells_[static_cast<size_t>(y) * width_ + x], value)) return true;
    return false;
}
