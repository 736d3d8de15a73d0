// Robin-hood insertion, backward-shift deletion and growth of the id table.
#include "Object/InstanceIdMap.h"

#include <bit>
#include <utility>

// One probe both finds the id and places it: the id cannot lie beyond a resident nearer its
// home, and once placing has swapped, it carries another id, which no other entry has.
void InstanceIdMap::Set(int32_t id, CInstance* instance) {
    if (2 * (count_ + 1) > entries_.size()) Grow();
    Entry placing{id, instance};
    for (uint32_t at = Home(id), distance = 0;; at = (at + 1) & Mask(), ++distance) {
        Entry& entry = entries_[at];
        if (!entry.instance) {
            entry = placing;
            ++count_;
            return;
        }
        if (entry.id == placing.id) {
            entry.instance = placing.instance;
            return;
        }
        // A resident nearer its home gives up its place: probe runs stay ordered by home.
        const uint32_t resident_distance = Distance(entry, at);
        if (resident_distance < distance) {
            std::swap(entry, placing);
            distance = resident_distance;
        }
    }
}

void InstanceIdMap::Erase(int32_t id, const CInstance* only) {
    uint32_t hole = IndexOf(id);
    if (hole == NOT_FOUND || (only && entries_[hole].instance != only)) return;
    // The entries after the hole that are away from home each move one step back.
    for (uint32_t next = (hole + 1) & Mask();; hole = next, next = (next + 1) & Mask()) {
        const Entry& entry = entries_[next];
        if (!entry.instance || Distance(entry, next) == 0) break;
        entries_[hole] = entry;
    }
    entries_[hole] = Entry{};
    --count_;
}

uint32_t InstanceIdMap::IndexOf(int32_t id) const {
    for (uint32_t at = Home(id), distance = 0;; at = (at + 1) & Mask(), ++distance) {
        const Entry& entry = entries_[at];
        if (!entry.instance || Distance(entry, at) < distance) return NOT_FOUND;
        if (entry.id == id) return at;
    }
}

void InstanceIdMap::Grow() {
    Rebuild(entries_.size() * 2);
}

void InstanceIdMap::ShrinkWhenSparse() {
    constexpr size_t kMinCapacity = size_t(1) << MIN_CAPACITY_BITS;
    if (entries_.size() <= kMinCapacity || 8 * size_t(count_) >= entries_.size()) return;
    size_t capacity = kMinCapacity;
    while (capacity < 4 * size_t(count_)) capacity *= 2;
    Rebuild(capacity);
}

void InstanceIdMap::Rebuild(size_t capacity) {
    std::vector<Entry> old(capacity);
    old.swap(entries_);
    shift_ = 32 - uint32_t(std::countr_zero(capacity));
    count_ = 0;
    for (const Entry& entry : old)
        if (entry.instance) Set(entry.id, entry.instance);
}
