// A map (`ds_map`): a chained hash table of key/value entries. Buckets are kept in index order
// and each bucket appends at its tail, so iteration order is fixed by the keys' hashes and
// replacing a value never moves its entry.
#pragma once

#include <cstdint>
#include <vector>

#include "Code/RValue.h"

class CDS_Map {
public:
    static constexpr int32_t kDefaultBuckets = 256;
    // Requests above this are held to it: a script's typo must not reserve gigabytes.
    static constexpr int32_t kMaxBuckets = 1 << 20;

    // Bucket counts below 1 give the default.
    explicit CDS_Map(int32_t buckets = kDefaultBuckets);
    ~CDS_Map();
    CDS_Map(const CDS_Map&) = delete;
    CDS_Map& operator=(const CDS_Map&) = delete;

    // The stored value of the key, or null.
    RValue* Find(const RValue& key) const;
    // Adds the entry only when the key is absent; false when it was present.
    bool Add(const RValue& key, const RValue& value);
    // Replaces the value of an existing key in place, or adds the entry.
    void Set(const RValue& key, const RValue& value);
    // Releases every entry.
    void Clear();

    int32_t Size() const { return size_; }
    int32_t BucketCount() const { return static_cast<int32_t>(buckets_.size()); }

    // Visits (key, value) in bucket order, each bucket from head to tail.
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (const Bucket& bucket : buckets_)
            for (const Node* node = bucket.head; node; node = node->next)
                visit(node->key, node->value);
    }

private:
    struct Node {
        Node* next;
        uint32_t hash;
        RValue key;
        RValue value;
    };
    struct Bucket {
        Node* head = nullptr;
        Node* tail = nullptr;
    };

    Node* FindNode(const RValue& key, uint32_t hash) const;
    void Append(const RValue& key, const RValue& value, uint32_t hash);

    std::vector<Bucket> buckets_;
    uint32_t mask_;
    int32_t size_ = 0;
};
