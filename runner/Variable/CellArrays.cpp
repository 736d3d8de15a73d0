// The size-class pools behind instances' cell arrays.
#include "Variable/CellArrays.h"

#include <array>
#include <memory>

#include "Variable/FixedBlockPool.h"
#include "Variable/SlotLayout.h"

namespace {

constexpr uint32_t CELLS_PER_CLASS_STEP = 4;
constexpr uint32_t CLASS_COUNT = SlotLayout::MAX_CELLS / CELLS_PER_CLASS_STEP;
constexpr size_t CHUNK_BYTES = 64 * 1024;

uint32_t ClassOf(uint32_t count) { return (count + CELLS_PER_CLASS_STEP - 1) / CELLS_PER_CLASS_STEP - 1; }
uint32_t CellsOfClass(uint32_t size_class) { return (size_class + 1) * CELLS_PER_CLASS_STEP; }

// Never destroyed: instances still held at exit (a room in a static) give their cells back.
std::array<std::unique_ptr<FixedBlockPool>, CLASS_COUNT>& Pools() {
    static auto& pools = *new std::array<std::unique_ptr<FixedBlockPool>, CLASS_COUNT>();
    return pools;
}

FixedBlockPool& PoolOfClass(uint32_t size_class) {
    auto& pool = Pools()[size_class];
    if (!pool) {
        const size_t block = CellsOfClass(size_class) * sizeof(RValue);
        pool = std::make_unique<FixedBlockPool>(block, CHUNK_BYTES / block + 1);
    }
    return *pool;
}

uint64_t SumOverPools(size_t (FixedBlockPool::*figure)() const) {
    uint64_t bytes = 0;
    for (const auto& pool : Pools())
        if (pool) bytes += ((*pool).*figure)();
    return bytes;
}

} // namespace

CellArray TakeCells(uint32_t count) {
    if (count == 0) return {};
    if (count > SlotLayout::MAX_CELLS) count = SlotLayout::MAX_CELLS;
    const uint32_t size_class = ClassOf(count);
    CellArray array{static_cast<RValue*>(PoolOfClass(size_class).Take()), CellsOfClass(size_class)};
    for (uint32_t i = 0; i < array.count; ++i) {
        array.cells[i].v64 = 0;
        array.cells[i].flags = 0;
        array.cells[i].kind = VALUE_KIND_NOT_CREATED;
    }
    return array;
}

void GiveCells(CellArray array) {
    if (!array.cells) return;
    for (uint32_t i = 0; i < array.count; ++i) FreeValue(array.cells[i]);
    PoolOfClass(ClassOf(array.count)).Give(array.cells);
}

uint64_t CellBytesInUse() { return SumOverPools(&FixedBlockPool::BytesInUse); }
uint64_t CellBytesReserved() { return SumOverPools(&FixedBlockPool::BytesReserved); }
