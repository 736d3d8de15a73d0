// Which instances a target selects when variables are written or tested through it: all
// active instances, one instance id, or every instance of an object index (its descendants'
// included). Instances join their object's lists the moment they are made, so those made
// during the current step are found there too.
#pragma once

#include <cstdint>
#include <vector>

#include "Variable/CInstance.h"
#include "Variable/InstanceDirectory.h"

// Calls visit(instance) for each selected instance; false when the target selects none.
// Deactivated instances and those marked for destruction are left out. What is visited is the
// selection made before the first visit: a visit that creates instances never disturbs the
// walk, and an instance destroyed by an earlier visit is passed over.
template <typename Visit>
bool ForEachTargetInstance(const InstanceDirectory& directory, int32_t target, Visit visit) {
    std::vector<CInstance*> selected;
    if (target == TARGET_ALL) {
        InstanceList active = directory.ActiveInstances();
        selected.assign(active.begin(), active.end());
    } else if (target >= FIRST_INSTANCE_ID) {
        if (CInstance* instance = directory.FindInstance(target)) selected.push_back(instance);
    } else if (target >= 0) {
        InstanceList listed = directory.InstancesOfObject(target);
        selected.assign(listed.begin(), listed.end());
    }
    bool found = false;
    for (CInstance* instance : selected) {
        if (target >= FIRST_INSTANCE_ID ? instance->IsMarked() : !instance->IsLive()) continue;
        found = true;
        visit(instance);
    }
    return found;
}

// The same, where -1 and -2 name the running instance and the other one.
template <typename Visit>
bool ForEachTargetOf(CInstance* self, CInstance* other, int32_t target, Visit visit) {
    if (target == TARGET_SELF || target == TARGET_OTHER) {
        CInstance* instance = target == TARGET_SELF ? self : other;
        if (instance) visit(instance);
        return instance != nullptr;
    }
    return ForEachTargetInstance(Instances(), target, visit);
}
