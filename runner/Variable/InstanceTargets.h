// Which instances a target selects when variables are written or tested through it: all
// active instances, one instance id, or every instance of an object index (its descendants'
// included, then the instances of exactly that object created during the current step).
#pragma once

#include <cstdint>

#include "Variable/CInstance.h"
#include "Variable/InstanceDirectory.h"

// Calls visit(instance) for each selected instance; false when the target selects none.
// Deactivated instances and those marked for destruction are left out, except that the
// instances created during the step are all taken.
template <typename Visit>
bool ForEachTargetInstance(const InstanceDirectory& directory, int32_t target, Visit visit) {
    bool found = false;
    auto take = [&](CInstance* instance) {
        found = true;
        visit(instance);
    };
    if (target == TARGET_ALL) {
        for (CInstance* instance : directory.ActiveInstances())
            if (instance->IsLive()) take(instance);
    } else if (target >= FIRST_INSTANCE_ID) {
        CInstance* instance = directory.FindInstance(target);
        if (instance && !instance->IsMarked()) take(instance);
    } else if (target >= 0) {
        for (CInstance* instance : directory.InstancesOfObject(target))
            if (instance->IsLive()) take(instance);
        for (CInstance* instance : directory.CreatedThisStep())
            if (instance->object_index == target) take(instance);
    }
    return found;
}
