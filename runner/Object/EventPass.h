// One pass over the instances of the objects listed for an event: the frame counter stamps
// the pass, so instances created while it runs wait for the next one.
#pragma once

#include <cstdint>

#include "Base/RunnerState.h"
#include "Object/ObjectTable.h"
#include "Variable/CInstance.h"

// Calls visit(object, instance) for every live instance, created before the pass, of every
// object that has a handler for (type, subtype), by ascending object index. An empty list
// costs nothing and takes no stamp.
template <typename Visit>
void ForEachListedInstance(int32_t type, int32_t subtype, Visit visit) {
    std::span<const int32_t> list = Objects().EventList(type, subtype);
    if (list.empty()) return;
    const uint64_t stamp = Runner().frame_counter++;
    for (int32_t object_index : list) {
        const CObject* object = Objects().Find(object_index);
        // Handlers may create instances: the list grows under the walk, by index.
        for (size_t i = 0; i < object->instances.size(); ++i) {
            // The cells' address is read from the block, so they are asked for once the block
            // has had time to come in.
            const size_t count = object->instances.size();
            if (i + PREFETCH_DISTANCE < count) object->instances[i + PREFETCH_DISTANCE]->PrefetchHead();
            if (i + PREFETCH_DISTANCE / 2 < count) object->instances[i + PREFETCH_DISTANCE / 2]->PrefetchCells();
            CInstance* instance = object->instances[i];
            if (instance->IsLive() && instance->creation_stamp <= stamp) visit(*object, instance);
        }
    }
}
