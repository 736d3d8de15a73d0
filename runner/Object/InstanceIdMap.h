// Instances by id: an open-addressing table with robin-hood linear probing, kept at most half
// full, and deletion by shifting the entries after a hole back, so a table that sees many
// instances come and go needs no tombstones and never allocates per instance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CInstance;

class InstanceIdMap {
public:
    InstanceIdMap() : entries_(size_t(1) << MIN_CAPACITY_BITS) {}

    // Null when no instance has the id.
    CInstance* Find(int32_t id) const {
        const uint32_t at = IndexOf(id);
        return at == NOT_FOUND ? nullptr : entries_[at].instance;
    }
    // Adds the instance under its id, or replaces the one the id had.
    void Set(int32_t id, CInstance* instance);
    // Forgets the id; when `only` is given, only if the id leads to it.
    void Erase(int32_t id, const CInstance* only = nullptr);
    // Takes a table under an eighth full down to one a quarter full at most: ids spread over
    // one grown for a large room cost later look-ups cache misses.
    void ShrinkWhenSparse();

private:
    static constexpr uint32_t MIN_CAPACITY_BITS = 6;
    static constexpr uint32_t RUN_BITS = 4;
    static constexpr uint32_t NOT_FOUND = UINT32_MAX;

    struct Entry {
        int32_t id = 0;
        CInstance* instance = nullptr; // null: empty
    };

    uint32_t Mask() const { return uint32_t(entries_.size()) - 1; }
    // Ids are given out one after another. Runs of 16 of them stay together, so instances made
    // together share cache lines of the table; each run starts where the high bits of a
    // multiplicative hash say, as runs of thousands would be walked along by later ids
    // wrapping around the table.
    uint32_t Home(int32_t id) const {
        const uint32_t run = uint32_t(id) >> RUN_BITS;
        return (((run * 0x9E3779B1u) >> shift_) + (uint32_t(id) & ((1u << RUN_BITS) - 1))) & Mask();
    }
    uint32_t Distance(const Entry& entry, uint32_t at) const { return (at - Home(entry.id)) & Mask(); }
    // The entry of the id, or NOT_FOUND.
    uint32_t IndexOf(int32_t id) const;
    void Grow();
    void Rebuild(size_t capacity); // a power of two that holds every entry at most half full

    std::vector<Entry> entries_;
    uint32_t shift_ = 32 - MIN_CAPACITY_BITS;
    uint32_t count_ = 0;
};
