// A grid (`ds_grid`): width x height cells stored row by row; cell (x, y) is y * width + x.
// New cells hold number 0.
#pragma once

#include <cstdint>
#include <vector>

#include "Code/RValue.h"

class CGrid {
public:
    // Sizes whose cell count would pass this are refused: a stray size must not reserve
    // gigabytes.
    static constexpr int64_t kMaxCells = 1 << 26;

    // True when a grid of that size may be made (both sides at least 0, not too many cells).
    static bool SizeAllowed(int32_t width, int32_t height);

    CGrid(int32_t width, int32_t height);
    ~CGrid();
    CGrid(const CGrid&) = delete;
    CGrid& operator=(const CGrid&) = delete;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    // The cell; the position must be inside.
    RValue& Cell(int32_t x, int32_t y) { return cells_[static_cast<size_t>(y) * width_ + x]; }

    // Keeps the cells inside both sizes, releases the rest and fills the new ones with 0.
    void Resize(int32_t width, int32_t height);
    void Fill(const RValue& value);
    // Whether a cell in the rectangle spanned by the corners, clamped to the grid, compares
    // equal to the value.
    bool ValueExists(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const RValue& value) const;

private:
    void ReleaseCells();

    int32_t width_;
    int32_t height_;
    std::vector<RValue> cells_;
};
