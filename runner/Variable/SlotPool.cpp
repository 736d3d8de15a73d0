// The pool of variable cells.
#include "Variable/SlotPool.h"

RValue* SlotPool::Take() {
    if (!free_) {
        blocks_.push_back(std::make_unique<RValue[]>(BLOCK_CELLS));
        RValue* block = blocks_.back().get();
        for (size_t i = 0; i < BLOCK_CELLS; ++i) Give(&block[i]);
    }
    RValue* cell = free_;
    free_ = static_cast<RValue*>(cell->ptr);
    --free_count_;
    return cell;
}

void SlotPool::Give(RValue* cell) {
    cell->ptr = free_;
    free_ = cell;
    ++free_count_;
}

SlotPool& VariableSlotPool() {
    static SlotPool pool;
    return pool;
}
