// How variable access finds instances by target without knowing how the object model keeps
// them. The object model implements this interface and makes its directory the active one;
// until then the active directory knows no instances.
#pragma once

#include <cstdint>
#include <span>

class CInstance;

// Targets that name instances, besides object indices and instance ids.
constexpr int32_t TARGET_SELF = -1;
constexpr int32_t TARGET_OTHER = -2;
constexpr int32_t TARGET_ALL = -3;
constexpr int32_t FIRST_INSTANCE_ID = 100000; // targets from here on are instance ids

using InstanceList = std::span<CInstance* const>;

class InstanceDirectory {
public:
    virtual ~InstanceDirectory() = default;

    // Null when no instance has the id.
    virtual CInstance* FindInstance(int32_t id) const = 0;
    // The running room's active instances, in the room's order.
    virtual InstanceList ActiveInstances() const = 0;
    // The instances of the object and of its descendants.
    virtual InstanceList InstancesOfObject(int32_t object_index) const = 0;
    // The object's name for messages; never null.
    virtual const char* ObjectName(int32_t object_index) const = 0;
};

// The directory in use; the object model installs its own, null restores the empty one.
InstanceDirectory& Instances();
void SetInstanceDirectory(InstanceDirectory* directory);
