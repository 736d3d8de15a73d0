// Loading and linking the objects, and the per-event object lists.
#include "Object/ObjectTable.h"

#include "Base/OutputChannel.h"
#include "Code/CodeTable.h"
#include "Code/EventNames.h"
#include "Code/GameConstants.h"
#include "Platform/RunnerClock.h"

namespace {

// The highest subtype listed for each event type; -1 for types with no lists (collisions,
// triggers and clean-up are never raised through a list).
constexpr int32_t kListedSubtypes[EVENT_TYPE_COUNT] = {0, 0, 12, 16, -1, 128, 128, 128, 77,
                                                       128, 128, -1, -1, 128, 0};
constexpr size_t kListGrowth = 5;

void AddDescendantsDepthFirst(const CObject& object, std::vector<const CObject*>& out) {
    for (const CObject* child : object.children) {
        out.push_back(child);
        AddDescendantsDepthFirst(*child, out);
    }
}

} // namespace

void ObjectTable::Load(const ResourceList<PackageObject>& objects) {
    Clear();
    objects_.resize(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        if (!objects[i]) continue;
        const PackageObject& record = *objects[i];
        auto object = std::make_unique<CObject>();
        object->index = int32_t(i);
        object->name = record.name;
        object->sprite_index = record.sprite_index;
        object->mask_index = record.mask_index;
        object->depth = record.depth;
        object->parent_index = record.parent_index;
        object->flags = (record.solid ? OBJECT_FLAG_SOLID : 0) |
                        (record.visible ? OBJECT_FLAG_VISIBLE : 0) |
                        (record.persistent ? OBJECT_FLAG_PERSISTENT : 0);
        // An event without actions has no code: it is not a handler.
        for (const auto& [key, code_index] : record.events)
            if (const CodeEntry* code = CodeEntryAt(code_index); code && code->event)
                object->events.Insert(key.type, key.subtype, {code, object->index, object->name.data()});
        objects_[i] = std::move(object);
    }
    LinkParents();
    InheritEvents();
    int64_t start = Timing_Time();
    for (const auto& object : objects_)
        if (object) InheritCollisions(*object);
    DebugOutput().Printf("Collision Event time(microsecs)=%ld\n", long(Timing_Time() - start));
}

void ObjectTable::Clear() {
    objects_.clear();
    event_lists_.clear();
}

void ObjectTable::LinkParents() {
    for (const auto& object : objects_) {
        if (!object) continue;
        CObject* parent = Find(object->parent_index);
        if (!parent) continue;
        object->parent = parent;
        parent->children.push_back(object.get());
    }
}

// The nearest ancestor's handler wins, and an object's own handler always does.
void ObjectTable::InheritEvents() {
    for (const auto& object : objects_) {
        if (!object) continue;
        for (const CObject* ancestor = object->parent; ancestor; ancestor = ancestor->parent) {
            ancestor->events.ForEach([&](int32_t type, int32_t subtype, const ObjectEvent& event) {
                if (!object->events.Contains(type, subtype)) object->events.Insert(type, subtype, event);
            });
        }
    }
}

// A handler for collisions with a parent also answers collisions with its descendants.
void ObjectTable::InheritCollisions(CObject& object) {
    if (object.Has(OBJECT_FLAG_COLLISIONS_INHERITED)) return;
    object.flags |= OBJECT_FLAG_COLLISIONS_INHERITED;
    if (object.parent) InheritCollisions(*object.parent);
    std::vector<std::pair<int32_t, ObjectEvent>> against;
    object.events.ForEach([&](int32_t type, int32_t subtype, const ObjectEvent& event) {
        if (type == ev_collision) against.emplace_back(subtype, event);
    });
    for (const auto& [other_index, event] : against) {
        const CObject* other = Find(other_index);
        if (!other) continue;
        std::vector<const CObject*> descendants;
        AddDescendantsDepthFirst(*other, descendants);
        for (const CObject* descendant : descendants)
            if (!object.events.Contains(ev_collision, descendant->index))
                object.events.Insert(ev_collision, descendant->index, event);
    }
}

void ObjectTable::BuildEventLists() {
    event_lists_.assign(size_t(EVENT_TYPE_COUNT) * EVENT_LIST_SUBTYPES, {});
    for (const auto& object : objects_) {
        if (!object) continue;
        object->events.ForEach([&](int32_t type, int32_t subtype, const ObjectEvent&) {
            if (type < 0 || type >= EVENT_TYPE_COUNT || subtype < 0 || subtype > kListedSubtypes[type])
                return;
            std::vector<int32_t>& list = event_lists_[size_t(type) * EVENT_LIST_SUBTYPES + size_t(subtype)];
            if (list.size() == list.capacity()) list.reserve(list.size() + kListGrowth);
            list.push_back(object->index);
        });
    }
}

std::span<const int32_t> ObjectTable::EventList(int32_t type, int32_t subtype) const {
    if (type < 0 || type >= EVENT_TYPE_COUNT || subtype < 0 || subtype >= EVENT_LIST_SUBTYPES ||
        event_lists_.empty())
        return {};
    return event_lists_[size_t(type) * EVENT_LIST_SUBTYPES + size_t(subtype)];
}

bool ObjectTable::IsAncestor(int32_t object, int32_t ancestor) const {
    const CObject* current = Find(object);
    // The package refuses parent loops, so every walk ends.
    for (int32_t index = current ? current->parent_index : -1; index >= 0;) {
        if (index == ancestor) return true;
        const CObject* next = Find(index);
        if (!next) return false;
        index = next->parent_index;
    }
    return false;
}
