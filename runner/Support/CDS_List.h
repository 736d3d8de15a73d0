// A list (`ds_list`): a growable array of values. Growth follows fixed steps, and items past
// the old end always read as number 0, so a far `ds_list_set` leaves zeros behind it.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

class CDS_List {
public:
    // Positions at or above this are refused: a stray index must not reserve gigabytes.
    static constexpr int32_t kMaxCount = 1 << 26;

    CDS_List() = default;
    ~CDS_List();
    CDS_List(const CDS_List&) = delete;
    CDS_List& operator=(const CDS_List&) = delete;

    void Add(const RValue& value);
    // 0 <= position <= count; false (and nothing changes) otherwise.
    bool Insert(int32_t position, const RValue& value);
    // Stores at any position from 0 up to kMaxCount, growing the list; false otherwise.
    bool Set(int32_t position, const RValue& value);
    // Only 0 <= position < count.
    bool Replace(int32_t position, const RValue& value);
    // Removes the item, closing the gap; only 0 <= position < count.
    bool Delete(int32_t position);
    void Clear();
    void CopyFrom(const CDS_List& source);

    // The item, or null outside 0 <= position < count.
    RValue* At(int32_t position) const;
    // The first position whose item compares equal, or -1.
    int32_t FindIndex(const RValue& value) const;
    int32_t Count() const { return count_; }

private:
    void Reserve(int32_t capacity);

    int32_t count_ = 0;
    int32_t capacity_ = 0;
    RValue* items_ = nullptr;
};
