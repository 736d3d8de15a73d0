// Insertion and growth of the variable map.
#include "Variable/VariableMap.h"

#include <utility>

#include "Code/Memory.h"

namespace {

constexpr uint32_t INITIAL_CAPACITY = 8;

int32_t GrowThreshold(uint32_t capacity) { return static_cast<int32_t>(capacity * 0.6); }

} // namespace

VariableMap::VariableMap()
    : entries_(MemAllocArray<Entry>(INITIAL_CAPACITY)), mask_(INITIAL_CAPACITY - 1),
      grow_threshold_(GrowThreshold(INITIAL_CAPACITY)) {}

VariableMap::~VariableMap() { MemFree(entries_); }

void VariableMap::Insert(int32_t key, RValue* cell) {
    if (count_ > grow_threshold_) Grow();
    if (Place({cell, key, Hash(key)})) ++count_;
}

bool VariableMap::Place(Entry entry) {
    uint32_t position = entry.hash & mask_;
    for (uint32_t distance = 0;; ++distance) {
        Entry& resident = entries_[position];
        if (resident.hash == 0) {
            resident = entry;
            return true;
        }
        if (resident.hash == entry.hash) {
            resident.cell = entry.cell;
            return false;
        }
        // Take the place of a resident that is nearer its home, and find it a new one.
        uint32_t resident_distance = ProbeDistance(resident, position);
        if (resident_distance < distance) {
            std::swap(resident, entry);
            distance = resident_distance;
        }
        position = (position + 1) & mask_;
    }
}

void VariableMap::Grow() {
    Entry* old_entries = entries_;
    uint32_t old_capacity = mask_ + 1;
    uint32_t capacity = old_capacity * 2;
    entries_ = MemAllocArray<Entry>(capacity);
    mask_ = capacity - 1;
    grow_threshold_ = GrowThreshold(capacity);
    for (uint32_t i = 0; i < old_capacity; ++i)
        if (old_entries[i].hash != 0) Place(old_entries[i]);
    MemFree(old_entries);
}
