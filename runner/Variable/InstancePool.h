// Where the runner's instances live: fixed-size blocks from one pool, recycled through a free
// list, so creating and destroying instances never reaches the general allocator once the pool
// has grown, and instances made one after another sit next to one another.
#pragma once

#include <cstdint>

class CInstance;

// A new instance of the object, with the given id.
CInstance* NewInstance(int32_t instance_id, int32_t object_index);
// Destroys an instance made by NewInstance (its variables are released) and returns its block.
void FreeInstance(CInstance* instance);

// Bytes of the blocks handed out, and of the chunks that hold them.
uint64_t InstanceBytesInUse();
uint64_t InstanceBytesReserved();
