// The game's objects, linked into their parent tree with inherited events, and the per-event
// object lists that the frame's event passes walk.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "Object/CObject.h"
#include "Package/GamePackage.h"

// Subtypes kept in the per-event lists, per event type.
constexpr int32_t EVENT_LIST_SUBTYPES = 256;

class ObjectTable {
public:
    // Builds the objects from the package, binds their handlers to the code table, links
    // parents and inherits events. Writes "Collision Event time(microsecs)=%ld".
    void Load(const ResourceList<PackageObject>& objects);
    void Clear();

    // Null for an index that names no object.
    CObject* Find(int32_t index) const {
        if (index < 0 || size_t(index) >= objects_.size()) return nullptr;
        return objects_[size_t(index)].get();
    }
    int32_t Count() const { return int32_t(objects_.size()); }

    // Rebuilds the per-event lists from the event maps (at every game start).
    void BuildEventLists();
    // The objects that have a handler for (type, subtype), by ascending index; empty for the
    // types that keep no lists.
    std::span<const int32_t> EventList(int32_t type, int32_t subtype) const;

    // True when `ancestor` is a proper ancestor of `object`.
    bool IsAncestor(int32_t object, int32_t ancestor) const;

private:
    void LinkParents();
    void InheritEvents();
    void InheritCollisions(CObject& object);

    std::vector<std::unique_ptr<CObject>> objects_;
    std::vector<std::vector<int32_t>> event_lists_; // type * EVENT_LIST_SUBTYPES + subtype
};

// The runner's one table; inline, as every instance's creation and event dispatch asks for it.
inline ObjectTable& Objects() {
    static ObjectTable table;
    return table;
}
