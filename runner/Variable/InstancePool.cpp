// The pool of instance blocks.
#include "Variable/InstancePool.h"

#include <new>

#include "Variable/CInstance.h"
#include "Variable/FixedBlockPool.h"

namespace {

constexpr size_t BLOCKS_PER_CHUNK = 512;

// Never destroyed: instances still held at exit (a room in a static) are freed into it.
FixedBlockPool& Pool() {
    static FixedBlockPool& pool = *new FixedBlockPool(sizeof(CInstance), BLOCKS_PER_CHUNK);
    return pool;
}

} // namespace

static_assert(alignof(CInstance) <= 16, "pool blocks are aligned to 16 bytes");
// Blocks of 256 bytes start on cache lines, so an instance's head (its variables' cells, flags,
// object and id) is one line and its motion fields the next: a pass over many instances reads
// the fewest lines. A 272-byte block would straddle an extra line at most instances' heads.
static_assert(sizeof(CInstance) <= 256, "an instance fills at most four cache lines");

CInstance* NewInstance(int32_t instance_id, int32_t object_index) {
    return new (Pool().Take()) CInstance(instance_id, object_index);
}

void FreeInstance(CInstance* instance) {
    if (!instance) return;
    instance->~CInstance();
    Pool().Give(instance);
}

uint64_t InstanceBytesInUse() { return Pool().BytesInUse(); }
uint64_t InstanceBytesReserved() { return Pool().BytesReserved(); }
