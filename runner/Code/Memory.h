// The runner's allocator for value records: new memory is always zero-filled, so a grown row
// of values reads as numbers 0. Running out of memory ends the process with a message.
#pragma once

#include <cstddef>
#include <mutex>

void* MemAlloc(size_t size);
// Resizes a block; the bytes beyond old_size come back zero-filled.
void* MemRealloc(void* block, size_t old_size, size_t new_size);
void MemFree(void* block);

template <typename T>
T* MemAllocArray(size_t count) {
    return static_cast<T*>(MemAlloc(count * sizeof(T)));
}

// "MemoryManagerMutex": guards the reference counts of shared strings and arrays while they are
// released, since the audio threads release values too.
std::mutex& MemoryManagerMutex();
