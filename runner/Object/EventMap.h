// An object's event handlers by (type, subtype): an open-addressing table with Robin Hood
// displacement, so that the one look-up per dispatched event is a short probe sequence. The
// events every instance meets (creation, destruction, the step and draw events of the low
// subtypes) are also indexed directly, without hashing.
#pragma once

#include <cstddef>
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
    const ObjectEvent* Find(int32_t type, int32_t subtype) const {
        if (uint32_t(type) < kDirectTypes && uint32_t(subtype) < kDirectSubtypes) {
            const uint32_t position = direct_[type][subtype];
            return position ? &slots_[position - 1].event : nullptr;
        }
        // An instance without a sprite meets its animation's end every frame, and most objects
        // have no event of that type at all.
        if (uint32_t(type) < 32 && !(types_ >> type & 1)) return nullptr;
        return FindHashed(type, subtype);
    }
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

    // Types up to ev_pre_create; subtypes up to the step's and the draw's first few.
    static constexpr uint32_t kDirectTypes = 15;
    static constexpr uint32_t kDirectSubtypes = 4;

    const ObjectEvent* FindHashed(int32_t type, int32_t subtype) const;
    // Where each directly indexed key sits now: the table moves entries as it fills.
    void IndexDirectly();
    static uint32_t Hash(uint64_t key);
    uint32_t Distance(uint32_t hash, uint32_t position) const;
    void Grow();
    void Place(Slot slot);

    std::vector<Slot> slots_;
    int32_t count_ = 0;
    // Positions in slots_ plus one, 0 for none: positions, so that a copied map keeps its own.
    uint32_t direct_[kDirectTypes][kDirectSubtypes] = {};
    uint32_t types_ = 0; // bit t: the map has a key of type t (below 32)
};
