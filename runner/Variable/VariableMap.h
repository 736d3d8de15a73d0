// The variables of one object: slot number -> value cell, in an open-addressing table with
// linear probing and robin-hood displacement, kept at most 60% full so that probe sequences
// stay short. Cells are owned by the object, not by the map.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

class VariableMap {
public:
    VariableMap();
    ~VariableMap();
    VariableMap(const VariableMap&) = delete;
    VariableMap& operator=(const VariableMap&) = delete;

    // The cell of the slot, or null.
    RValue* Find(int32_t key) const {
        uint32_t hash = Hash(key);
        uint32_t position = hash & mask_;
        for (uint32_t distance = 0;; ++distance) {
            const Entry& entry = entries_[position];
            // An empty entry, or a resident closer to its home than we are to ours, means the
            // key would have been placed before here.
            if (entry.hash == 0 || distance > ProbeDistance(entry, position)) return nullptr;
            if (entry.hash == hash) return entry.cell;
            position = (position + 1) & mask_;
        }
    }
    // Adds the slot's cell, or replaces the cell of a slot already present.
    void Insert(int32_t key, RValue* cell);

    int32_t Capacity() const { return static_cast<int32_t>(mask_ + 1); }
    int32_t Count() const { return count_; }
    uint64_t TableBytes() const { return uint64_t(mask_ + 1) * sizeof(Entry); }

    template <typename Visit>
    void ForEachCell(Visit visit) const {
        for (uint32_t i = 0; i <= mask_; ++i)
            if (entries_[i].hash != 0) visit(entries_[i].cell);
    }

private:
    struct Entry {
        RValue* cell;
        int32_t key;
        uint32_t hash; // 0: empty
    };

    // Never 0 for a slot number: the one key in 0..2^31-1 that hashes to 0 is 1903481007.
    static uint32_t Hash(int32_t key) {
        return (1u - static_cast<uint32_t>(key) * 0x61C8864Fu) & 0x7FFFFFFFu;
    }
    uint32_t ProbeDistance(const Entry& entry, uint32_t position) const {
        return (mask_ + 1 - (entry.hash & mask_) + position) & mask_;
    }
    // False when the key was present and only its cell was replaced.
    bool Place(Entry entry);
    void Grow();

    Entry* entries_;
    uint32_t mask_;
    int32_t count_ = 0;
    int32_t grow_threshold_;
};
