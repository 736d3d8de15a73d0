// A room's map as the player meets it: which 16-pixel cells are solid blocks, which hold a
// hazard that is never ground, and which are free; and the player's collision box, to ask what
// the player would touch at a place. The packer's level checks and the reach test share it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "RoomSource.h"

enum class CellKind : uint8_t { Free, Solid, Hazard };

// The parent of an object by name, "" for none.
using ParentOf = std::function<std::string(const std::string& object)>;

// Blocks (oBlock, oSolid and their children) are solid, but an arena's oBossBlock walls only
// while a fight runs, so not for a level; spikes are hazards; anything else leaves a cell free.
CellKind KindOfObject(const std::string& object, const ParentOf& parent);

// A collision box around the position, in pixels: right and bottom exclusive, so a box from
// `top` -22 to `bottom` 0 stands on a floor whose top is at the position's y.
struct PlayerBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Cell {
    int column = 0, row = 0;
    bool operator==(const Cell&) const = default;
};

class RoomCells {
public:
    RoomCells() = default;
    RoomCells(const RoomSource& room, const ParentOf& parent);

    int Width() const { return width_; }   // pixels
    int Height() const { return height_; } // pixels
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // Cells outside the map are free; the room's bounds are the caller's to judge.
    CellKind At(int column, int row) const;
    // The first cell of that kind the box at (x, y) overlaps, if any.
    std::optional<Cell> BoxMeets(const PlayerBox& box, double x, double y, CellKind kind) const;

private:
    int width_ = 0, height_ = 0, columns_ = 0, rows_ = 0;
    std::vector<CellKind> kinds_;
};
