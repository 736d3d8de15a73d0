// List storage on the runner's zero-filling allocator.
#include "Support/CDS_List.h"

#include <algorithm>
#include <cstring>

#include "Code/Memory.h"
#include "Support/DsState.h"

CDS_List::~CDS_List() {
    Clear();
    MemFree(items_);
}

void CDS_List::Reserve(int32_t capacity) {
    items_ =
        static_cast<RValue*>(MemRealloc(items_, sizeof(RValue) * static_cast<size_t>(capacity_),
                                        sizeof(RValue) * static_cast<size_t>(capacity)));
    capacity_ = capacity;
}

void CDS_List::Add(const RValue& value) {
    if (count_ == capacity_) Reserve(capacity_ + std::max(capacity_ / 8, 16));
    CopyValue(items_[count_++], value);
}

bool CDS_List::Insert(int32_t position, const RValue& value) {
    if (position < 0 || position > count_) return false;
    if (count_ == capacity_) Reserve(capacity_ + 16);
    std::memmove(static_cast<void*>(items_ + position + 1), items_ + position,
                 sizeof(RValue) * static_cast<size_t>(count_ - position));
    items_[position] = RealValue(0); // the moved bytes still belong to position + 1
    CopyValue(items_[position], value);
    ++count_;
    return true;
}

bool CDS_List::Delete(int32_t position) {
    if (position < 0 || position >= count_) return false;
    FreeValue(items_[position]);
    std::memmove(static_cast<void*>(items_ + position), items_ + position + 1,
                 sizeof(RValue) * static_cast<size_t>(count_ - position - 1));
    --count_;
    return true;
}

bool CDS_List::Set(int32_t position, const RValue& value) {
    if (position < 0 || position >= kMaxCount) return false;
    if (position >= count_) {
        int32_t count = position + 1;
        if (count >= capacity_) Reserve(count + 16);
        // Slots a clear left undefined must read as 0 like fresh memory.
        for (int32_t i = count_; i < count; ++i)
            items_[i] = RealValue(0);
        count_ = count;
    }
    CopyValue(items_[position], value);
    return true;
}

bool CDS_List::Replace(int32_t position, const RValue& value) {
    RValue* item = At(position);
    if (!item) return false;
    CopyValue(*item, value);
    return true;
}

void CDS_List::Clear() {
    for (int32_t i = 0; i < count_; ++i)
        FreeValue(items_[i]);
    count_ = 0;
}

void CDS_List::CopyFrom(const CDS_List& source) {
    if (&source == this) return;
    Clear();
    if (source.count_ > capacity_) Reserve(source.count_);
    for (int32_t i = 0; i < source.count_; ++i)
        CopyValue(items_[i], source.items_[i]);
    count_ = source.count_;
}

RValue* CDS_List::At(int32_t position) const {
    if (position < 0 || position >= count_) return nullptr;
    return &items_[position];
}

int32_t CDS_List::FindIndex(const RValue& value) const {
    for (int32_t i = 0; i < count_; ++i)
        if (DsValuesEqual(items_[i], value)) return i;
    return -1;
}
