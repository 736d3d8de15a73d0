// The cells that hold variables' values. Cells are carved from large blocks and recycled
// through a free list, so creating a variable does not reach the general allocator each time.
// A cell never moves while it is in use: arrays remember their owning value by address.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "Code/RValue.h"

class SlotPool {
public:
    SlotPool() = default;
    SlotPool(const SlotPool&) = delete;
    SlotPool& operator=(const SlotPool&) = delete;

    // A cell with unspecified contents.
    RValue* Take();
    // The caller has released the cell's value.
    void Give(RValue* cell);

    size_t FreeCount() const { return free_count_; }

private:
    static constexpr size_t BLOCK_CELLS = 1024;

    std::vector<std::unique_ptr<RValue[]>> blocks_;
    RValue* free_ = nullptr; // free cells are chained through their payload
    size_t free_count_ = 0;
};

SlotPool& VariableSlotPool();
