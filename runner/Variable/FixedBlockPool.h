// Blocks of one fixed size carved from large chunks and recycled through a free list, so that
// making and freeing many small records (instances, their variable cells) never reaches the
// general allocator once the chunks exist. A block never moves while it is handed out. The
// pool counts what it holds, so benchmarks can report memory measured rather than guessed.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class FixedBlockPool {
public:
    // Blocks of `block_size` bytes (rounded up to a multiple of 16, the alignment every block
    // gets), `blocks_per_chunk` of them to a chunk. Chunks start on a cache line, so blocks of a
    // multiple of 64 bytes each fill whole lines.
    FixedBlockPool(size_t block_size, size_t blocks_per_chunk);
    FixedBlockPool(const FixedBlockPool&) = delete;
    FixedBlockPool& operator=(const FixedBlockPool&) = delete;

    // A block with unspecified contents.
    void* Take() {
        if (!free_) AddChunk();
        FreeBlock* block = free_;
        free_ = block->next;
        ++in_use_;
        return block;
    }
    void Give(void* block) {
        auto* freed = static_cast<FreeBlock*>(block);
        freed->next = free_;
        free_ = freed;
        --in_use_;
    }

    size_t BytesInUse() const { return in_use_ * block_size_; }
    size_t BytesReserved() const { return chunks_.size() * chunk_bytes_; }

private:
    struct FreeBlock {
        FreeBlock* next;
    };
    struct alignas(64) Unit {
        std::byte bytes[64];
    };

    void AddChunk();

    size_t block_size_;
    size_t blocks_per_chunk_;
    size_t chunk_bytes_;
    std::vector<std::unique_ptr<Unit[]>> chunks_;
    FreeBlock* free_ = nullptr;
    size_t in_use_ = 0;
};
