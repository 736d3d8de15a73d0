// Map storage: nodes in per-bucket chains with a tail pointer for appending.
#include "Support/CDS_Map.h"

#include "Support/DsState.h"
#include "Support/MapKeyHash.h"

CDS_Map::CDS_Map(int32_t buckets) {
    if (buckets < 1) buckets = kDefaultBuckets;
    if (buckets > kMaxBuckets) buckets = kMaxBuckets;
    buckets_.resize(static_cast<size_t>(buckets));
    // Any count works with the mask (hash AND (n - 1) is below n); powers of two spread best.
    mask_ = static_cast<uint32_t>(buckets - 1);
}

CDS_Map::~CDS_Map() {
    Clear();
}

CDS_Map::Node* CDS_Map::FindNode(const RValue& key, uint32_t hash) const {
    for (Node* node = buckets_[hash & mask_].head; node; node = node->next)
        if (node->hash == hash && DsValuesEqual(node->key, key)) return node;
    return nullptr;
}

void CDS_Map::Append(const RValue& key, const RValue& value, uint32_t hash) {
    Node* node = new Node{nullptr, hash, UndefinedValue(), UndefinedValue()};
    CopyValue(node->key, key);
    CopyValue(node->value, value);
    Bucket& bucket = buckets_[hash & mask_];
    if (bucket.tail)
        bucket.tail->next = node;
    else
        bucket.head = node;
    bucket.tail = node;
    ++size_;
}

RValue* CDS_Map::Find(const RValue& key) const {
    Node* node = FindNode(key, MapKeyHash(key));
    return node ? &node->value : nullptr;
}

bool CDS_Map::Add(const RValue& key, const RValue& value) {
    uint32_t hash = MapKeyHash(key);
    if (FindNode(key, hash)) return false;
    Append(key, value, hash);
    return true;
}

void CDS_Map::Set(const RValue& key, const RValue& value) {
    uint32_t hash = MapKeyHash(key);
    if (Node* node = FindNode(key, hash))
        CopyValue(node->value, value);
    else
        Append(key, value, hash);
}

void CDS_Map::Clear() {
    for (Bucket& bucket : buckets_) {
        Node* node = bucket.head;
        while (node) {
            Node* next = node->next;
            FreeValue(node->key);
            FreeValue(node->value);
            delete node;
            node = next;
        }
        bucket = Bucket{};
    }
    size_ = 0;
}
