// The event map's hashing and Robin Hood probing.
#include "Object/EventMap.h"

namespace {

constexpr uint32_t kInitialCapacity = 8;

} // namespace

uint32_t EventMap::Hash(uint64_t key) {
    uint32_t hash = (uint32_t((key * 0x9E3779B97F4A7C55ull) >> 32) + 1) & 0x7FFFFFFF;
    return hash == 0 ? 1 : hash; // 0 marks an empty slot
}

uint32_t EventMap::Distance(uint32_t hash, uint32_t position) const {
    const auto mask = uint32_t(slots_.size() - 1);
    return (uint32_t(slots_.size()) - (hash & mask) + position) & mask;
}

const ObjectEvent* EventMap::FindHashed(int32_t type, int32_t subtype) const {
    if (count_ == 0) return nullptr;
    const uint64_t key = EventMapKey(type, subtype);
    const uint32_t hash = Hash(key);
    const auto mask = uint32_t(slots_.size() - 1);
    for (uint32_t position = hash & mask, walked = 0;; position = (position + 1) & mask, ++walked) {
        const Slot& slot = slots_[position];
        if (slot.hash == 0 || Distance(slot.hash, position) < walked) return nullptr;
        if (slot.hash == hash && slot.key == key) return &slot.event;
    }
}

void EventMap::Insert(int32_t type, int32_t subtype, const ObjectEvent& event) {
    if (slots_.empty()) slots_.resize(kInitialCapacity);
    const uint64_t key = EventMapKey(type, subtype);
    if (const ObjectEvent* existing = FindHashed(type, subtype)) {
        *const_cast<ObjectEvent*>(existing) = event;
        return;
    }
    if (double(count_ + 1) > 0.6 * double(slots_.size())) Grow();
    Place({event, key, Hash(key)});
    ++count_;
    if (uint32_t(type) < 32) types_ |= 1u << type;
    IndexDirectly();
}

void EventMap::IndexDirectly() {
    for (auto& row : direct_)
        for (uint32_t& position : row) position = 0;
    for (size_t position = 0; position < slots_.size(); ++position) {
        const Slot& slot = slots_[position];
        const auto type = uint32_t(slot.key >> 32);
        const auto subtype = uint32_t(slot.key);
        if (slot.hash != 0 && type < kDirectTypes && subtype < kDirectSubtypes)
            direct_[type][subtype] = uint32_t(position + 1);
    }
}

void EventMap::Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old)
        if (slot.hash != 0) Place(slot);
}

void EventMap::Place(Slot slot) {
    const auto mask = uint32_t(slots_.size() - 1);
    for (uint32_t position = slot.hash & mask, walked = 0;; position = (position + 1) & mask, ++walked) {
        Slot& resident = slots_[position];
        if (resident.hash == 0) {
            resident = slot;
            return;
        }
        // The richer resident gives way: probe lengths stay even.
        uint32_t resident_distance = Distance(resident.hash, position);
        if (resident_distance < walked) {
            std::swap(resident, slot);
            walked = resident_distance;
        }
    }
}
