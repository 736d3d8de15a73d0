#include "Code/Memory.h"

#include <cstdlib>
#include <cstring>

#include "Base/OutputChannel.h"

namespace {

[[noreturn]] void OutOfMemory(size_t size) {
    ErrorOutput().Printf("Out of memory allocating %zu bytes\n", size);
    std::abort();
}

} // namespace

void* MemAlloc(size_t size) {
    void* block = std::calloc(1, size ? size : 1);
    if (!block) OutOfMemory(size);
    return block;
}

void* MemRealloc(void* block, size_t old_size, size_t new_size) {
    void* grown = std::realloc(block, new_size ? new_size : 1);
    if (!grown) OutOfMemory(new_size);
    if (new_size > old_size) std::memset(static_cast<char*>(grown) + old_size, 0, new_size - old_size);
    return grown;
}

void MemFree(void* block) { std::free(block); }

std::mutex& MemoryManagerMutex() {
    static std::mutex mutex;
    return mutex;
}
