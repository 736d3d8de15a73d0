// The flat arrays of variable cells that instances keep their laid-out variables in: arrays of
// 4, 8, 12, ... cells, each size from a pool of its own, so an instance's cells come from a
// free list rather than the general allocator. A cell never moves while its array is in use
// (arrays remember their owning value by address).
#pragma once

#include <cstdint>

#include "Code/RValue.h"

// The kind word of a cell that no variable has been created in yet: it reads as unset, and
// finding a variable there turns it into the holder's default kind. Cells are handed out
// holding it.
constexpr uint32_t VALUE_KIND_NOT_CREATED = VALUE_UNSET | 0x80000000u;

struct CellArray {
    RValue* cells = nullptr;
    uint32_t count = 0;
};

// Cells for at least `count` variables (none for 0), each not created.
CellArray TakeCells(uint32_t count);
// Releases every cell's value and gives the array back.
void GiveCells(CellArray cells);

// Bytes in the arrays handed out and in the chunks that hold them, for every size.
uint64_t CellBytesInUse();
uint64_t CellBytesReserved();
