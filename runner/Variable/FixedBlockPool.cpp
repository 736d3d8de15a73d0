// Chunks of the fixed-size block pool.
#include "Variable/FixedBlockPool.h"

FixedBlockPool::FixedBlockPool(size_t block_size, size_t blocks_per_chunk)
    : block_size_((block_size + 15) / 16 * 16), blocks_per_chunk_(blocks_per_chunk),
      chunk_bytes_((block_size_ * blocks_per_chunk + sizeof(Unit) - 1) / sizeof(Unit) * sizeof(Unit)) {}

void FixedBlockPool::AddChunk() {
    chunks_.push_back(std::make_unique_for_overwrite<Unit[]>(chunk_bytes_ / sizeof(Unit)));
    std::byte* chunk = chunks_.back()[0].bytes;
    // Chained from the chunk's end back to its start, so blocks go out in address order.
    for (size_t i = blocks_per_chunk_; i-- > 0;) {
        auto* block = reinterpret_cast<FreeBlock*>(chunk + i * block_size_);
        block->next = free_;
        free_ = block;
    }
}
