// Which instances a target selects when variables are written or tested through it: all
// active instances, one instance id, or every instance of an object index (its descendants'
// included, then the instances of exactly that object created during the current step).
#pragma once

#include <cstdint>
#include <vector>

#include "Variable/CInstance.h"
#include "Variable/InstanceDirectory.h"

// Calls visit(instance) for each selected instance; false when the target selects none.
// Deactivated instances and those marked for destruction are left out, except that the
// instances created during the step are all taken. What is visited is the selection made
// before the first visit: a visit that creates instances never disturbs the walk, and an
// instance destroyed by an earlier visit is passed over.
template <typename Visit>
bool ForEachTargetInstance(const InstanceDirectory& directory, int32_t target, Visit visit) {
    std::vector<CInstance*> selected;
    size_t created_from = SIZE_MAX; // where the instances created during the step begin
    if (target == TARGET_ALL) {
        InstanceList active = directory.ActiveInstances();
        selected.assign(active.begin(), active.end());
    } else if (target >= FIRST_INSTANCE_ID) {
        if (CInstance* instance = directory.FindInstance(target)) selected.push_back(instance);
    } else if (target >= 0) {
        InstanceList listed = directory.InstancesOfObject(target);
        selected.assign(listed.begin(), listed.end());
        created_from = selected.size();
        for (CInstance* instance : directory.CreatedThisStep())
            if (instance->object_index == target) selected.push_back(instance);
    }
    bool found = false;
    for (size_t i = 0; i < selected.size(); ++i) {
        CInstance* instance = selected[i];
        const bool created_this_step = i >= created_from;
        const bool wanted = created_this_step ||
                            (target >= FIRST_INSTANCE_ID ? !instance->IsMarked() : instance->IsLive());
        if (!wanted) continue;
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
