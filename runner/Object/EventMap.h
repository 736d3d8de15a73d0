// An object's event handlers by (type, subtype): an open-addressing table with Robin Hood
// displacement, so that the one look-up per dispatched event is a short probe sequence.
#pragma once

#include <cstdint>
#include <vector>

struct CodeEntry;

// A handler: the code to run and the object that defined it (an ancestor, when inherited).
struct ObjectEvent {
    const CodeEntry* code = nullptr;
    int32_t owner_index = -1;
    const char* owner_name = nullptr; // for error reports
};

// The subtype in the low 32 bits, the type in the high ones; a negative subtype's sign fills
// the high bits, so it names the same key whatever the type.
constexpr uint64_t EventMapKey(int32_t type, int32_t subtype) {
    return (uint64_t(uint32_t(type)) << 32) | uint64_t(int64_t(subtype));
}

class EventMap {
public:
    // Null when the map has no handler for the key.
    const ObjectEvent* Find(int32_t type, int32_t subtype) const;
    bool Contains(int32_t type, int32_t subtype) const { return Find(type, subtype) != nullptr; }
    // Adds or replaces the handler for the key.
    void Insert(int32_t type, int32_t subtype, const ObjectEvent& event);
    int32_t Count() const { return count_; }

    // Calls visit(type, subtype, event) for every entry, in no fixed order.
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (const Slot& slot : slots_)
            if (slot.hash != 0)
                visit(int32_t(slot.key >> 32), int32_t(uint32_t(slot.key)), slot.event);
    }

private:
    struct Slot {
        ObjectEvent event;
        uint64_t key = 0;
        uint32_t hash = 0; // 0: empty
    };

    static uint32_t Hash(uint64_t key);
    uint32_t Distance(uint32_t hash, uint32_t position) const;
    void Grow();
    void Place(Slot slot);

    std::vector<Slot> slots_;
    int32_t count_ = 0;
};
