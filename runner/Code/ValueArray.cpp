#include "Code/ValueArray.h"

#include <algorithm>

#include "Code/Memory.h"
#include "Code/RuntimeError.h"

namespace {

ArrayErrorRecord g_array_error{};

struct SplitIndex {
    int32_t first;
    int32_t second;
};

SplitIndex Split(int32_t index) { return {index / ARRAY_ROW_STRIDE, index % ARRAY_ROW_STRIDE}; }

void FreeArrayRecord(SharedArray* arr) {
    for (int32_t i = 0; i < arr->row_count; ++i) {
        ArrayRow& row = arr->rows[i];
        for (int32_t j = 0; j < row.length; ++j) FreeValue(row.items[j]);
        MemFree(row.items);
    }
    MemFree(arr->rows);
    MemFree(arr);
}

void GrowRows(SharedArray* arr, int32_t row_count) {
    if (row_count <= arr->row_count) return;
    arr->rows = static_cast<ArrayRow*>(MemRealloc(arr->rows, sizeof(ArrayRow) * arr->row_count,
                                                  sizeof(ArrayRow) * row_count));
    arr->row_count = row_count;
}

void GrowRow(ArrayRow& row, int32_t length) {
    if (length <= row.length) return;
    if (length > row.capacity) {
        // Rows are filled one element at a time; growing geometrically keeps that linear.
        int32_t capacity = std::max(length, row.capacity * 2);
        row.items = static_cast<RValue*>(
            MemRealloc(row.items, sizeof(RValue) * row.capacity, sizeof(RValue) * capacity));
        row.capacity = capacity;
    }
    row.length = length; // zero-filled memory already reads as numbers 0
}

// A private copy of a shared array for `owner`, which gives up its reference to the original.
SharedArray* UnshareArray(SharedArray* shared, const RValue* owner) {
    SharedArray* copy = NewSharedArray(owner);
    GrowRows(copy, shared->row_count);
    for (int32_t i = 0; i < shared->row_count; ++i) {
        const ArrayRow& from = shared->rows[i];
        GrowRow(copy->rows[i], from.length);
        for (int32_t j = 0; j < from.length; ++j) CopyValue(copy->rows[i].items[j], from.items[j]);
    }
    ReleaseArray(shared, owner);
    return copy;
}

bool MustUnshare(const SharedArray* arr, const RValue& writer) {
    return arr->owner != &writer && arr->refcount != 1;
}

void RecordMiss(const SharedArray* arr, SplitIndex at) {
    g_array_error.failed = true;
    g_array_error.first = at.first;
    g_array_error.second = at.second;
    g_array_error.row_count = arr ? arr->row_count : 0;
    bool has_row = arr && at.first >= 0 && at.first < arr->row_count;
    g_array_error.row_length = has_row ? arr->rows[at.first].length : -1;
}

// Grows the array so that the element exists; null for a negative index.
RValue* GrowToElement(SharedArray* arr, SplitIndex at) {
    if (at.first >= arr->row_count) GrowRows(arr, at.first + 1);
    if (at.first < 0 || at.second < 0) {
        RecordMiss(arr, at);
        return nullptr;
    }
    ArrayRow& row = arr->rows[at.first];
    GrowRow(row, at.second + 1);
    return &row.items[at.second];
}

// Makes v an array that v may write in place.
SharedArray* WritableArray(RValue& v) {
    if (v.Kind() != VALUE_ARRAY || !v.arr) {
        FreeValue(v);
        v.arr = NewSharedArray(&v);
        v.kind = VALUE_ARRAY;
    } else if (MustUnshare(v.arr, v)) {
        v.arr = UnshareArray(v.arr, &v);
    }
    return v.arr;
}

} // namespace

ArrayErrorRecord& ArrayError() { return g_array_error; }

SharedArray* NewSharedArray(const RValue* owner) {
    auto* arr = static_cast<SharedArray*>(MemAlloc(sizeof(SharedArray)));
    arr->refcount = 1;
    arr->owner = owner;
    return arr;
}

void ReleaseArray(SharedArray* arr, const RValue* holder) {
    bool last;
    {
        std::lock_guard lock(MemoryManagerMutex());
        --arr->refcount;
        if (arr->owner == holder) arr->owner = nullptr;
        last = arr->refcount <= 0;
    }
    // Nobody else can reach the record now: its elements are released outside the lock, which
    // they take again for nested strings and arrays.
    if (last) FreeArrayRecord(arr);
}

void AssignValue(RValue& dst, const RValue& src, int32_t index) {
    if (index == ARRAY_INDEX_NONE) {
        CopyValue(dst, src);
        return;
    }
    // src may be an element of dst's array, which growing or un-sharing can move or free.
    ScopedRValue value(src);
    RValue* element = GrowToElement(WritableArray(dst), Split(index));
    if (element) CopyValue(*element, value);
}

RValue* ArrayElementForWrite(RValue& v, int32_t index) {
    return GrowToElement(WritableArray(v), Split(index));
}

RValue* ArrayElementRef(RValue& v, int32_t index) {
    if (v.Kind() != VALUE_ARRAY || !v.arr) {
        RaiseRuntimeError("trying to index variable that is not an array");
        return nullptr;
    }
    SharedArray* arr = v.arr;
    if (!arr->owner) arr->owner = &v;
    SplitIndex at = Split(index);
    if (at.first < 0 || at.first >= arr->row_count) {
        RaiseRuntimeError("first index out of bounds request %d maximum size is %d", at.first,
                          arr->row_count);
        return nullptr;
    }
    ArrayRow& row = arr->rows[at.first];
    if (at.second < 0 || at.second >= row.length) {
        RaiseRuntimeError("second index out of bounds request %d,%d maximum size is %d", at.first,
                          at.second, row.length);
        return nullptr;
    }
    return &row.items[at.second];
}

bool ReadValue(RValue& result, RValue& slot, int32_t index) {
    if (slot.Kind() != VALUE_ARRAY) {
        if (index != ARRAY_INDEX_NONE) RaiseRuntimeError("trying to index a variable which is not an array");
        CopyValue(result, slot);
        return true;
    }
    if (index == ARRAY_INDEX_NONE) {
        CopyValue(result, slot);
        return true;
    }
    SharedArray* arr = slot.arr;
    SplitIndex at = Split(index);
    if (arr && at.first >= 0 && at.first < arr->row_count && at.second >= 0 &&
        at.second < arr->rows[at.first].length) {
        CopyValue(result, arr->rows[at.first].items[at.second]);
        return true;
    }
    RecordMiss(arr, at);
    SetReal(result, 0);
    return false;
}

int32_t ArrayLength(const RValue& v) {
    if (v.kind != VALUE_ARRAY || !v.arr || !v.arr->rows || v.arr->row_count < 1) return 0;
    return v.arr->rows[0].length;
}
