// Arrays inside values: element reads and writes, copy-on-write through the owner, growth.
//
// Every array is two-dimensional; one 32-bit index addresses an element as
// [index / 32000, index % 32000] (truncating), and ARRAY_INDEX_NONE addresses the whole value.
#pragma once

#include <cstdint>
#include <limits>

#include "Code/RValue.h"

constexpr int32_t ARRAY_INDEX_NONE = std::numeric_limits<int32_t>::min();
constexpr int32_t ARRAY_ROW_STRIDE = 32000;

constexpr int32_t ArrayIndex(int32_t first, int32_t second) {
    return first * ARRAY_ROW_STRIDE + second;
}

// What the last element access that missed asked for, for the array built-ins that report it.
struct ArrayErrorRecord {
    bool failed;
    int32_t first;
    int32_t second;
    int32_t row_count;
    int32_t row_length; // -1 when the first index named no row
};
ArrayErrorRecord& ArrayError();

// A new empty array (refcount 1) that the given value owns.
SharedArray* NewSharedArray(const RValue* owner);
// Drops one reference held by `holder`; frees the array with its elements on the last one.
void ReleaseArray(SharedArray* arr, const RValue* holder);

// Stores src into dst (ARRAY_INDEX_NONE) or into one element of dst, which becomes an array if
// it is none. A negative first or second index stores nothing and fills the error record.
void AssignValue(RValue& dst, const RValue& src, int32_t index);
// The element for compiled code to write (a[i] = v): grows the array, un-shares it when this
// value is not its owner, and gives null for a negative index.
RValue* ArrayElementForWrite(RValue& v, int32_t index);
// The element for compiled code to read (a[i]); raises and gives null when there is none.
RValue* ArrayElementRef(RValue& v, int32_t index);
// Copies a variable slot, or one element of it, into result. A missed element gives number 0
// and false without raising.
bool ReadValue(RValue& result, RValue& slot, int32_t index);

// Length of row 0, or 0 for anything that is not an array.
int32_t ArrayLength(const RValue& v);
