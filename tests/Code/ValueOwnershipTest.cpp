#include <gtest/gtest.h>

#include "Code/ValueArray.h"
#include "Code/ValueText.h"
#include "ValueTestSupport.h"

namespace {

TEST(ValueOwnership, OnlyStringsArraysPointersAndVec3OwnReferences) {
    for (uint32_t kind : {VALUE_STRING, VALUE_ARRAY, VALUE_PTR, VALUE_VEC3})
        EXPECT_TRUE(OwnsReference(RValue{{0}, 0, kind})) << kind;
    for (uint32_t kind : {VALUE_REAL, VALUE_UNDEFINED, VALUE_OBJECT, VALUE_INT32, VALUE_BOOL, VALUE_UNSET})
        EXPECT_FALSE(OwnsReference(RValue{{0}, 0, kind})) << kind;
    // The marks in the high byte do not change what a value owns.
    EXPECT_TRUE(OwnsReference(RValue{{0}, 0, 0x80000000u | VALUE_STRING}));
}

TEST(ValueOwnership, CopiesShareStringsAndTheLastReleaseFreesThem) {
    ScopedRValue a = Str("snow");
    SharedString* record = a.str;
    {
        ScopedRValue b(a);
        ScopedRValue c;
        CopyValue(c, b);
        EXPECT_EQ(c.str, record);
        EXPECT_EQ(record->refcount, 3);
        CopyValue(c, c); // onto itself: nothing changes
        EXPECT_EQ(record->refcount, 3);
    }
    EXPECT_EQ(record->refcount, 1);
    FreeValue(a);
    EXPECT_EQ(a.Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(a.v64, 0);
}

TEST(ValueOwnership, CopyingAnElementOverItsOwnArrayKeepsTheElementAlive) {
    ScopedRValue a;
    AssignValue(a, Str("inner"), ArrayIndex(0, 0));
    // a is the array's only holder: releasing it first would free the string being copied.
    CopyValue(a, *ArrayElementRef(a, 0));
    EXPECT_EQ(ValueText(a), "inner");
}

struct CountedPointee : OwnedPointee {
    explicit CountedPointee(int* deleted) : deleted_(deleted) {}
    ~CountedPointee() override { ++*deleted_; }
    int* deleted_;
};

TEST(ValueOwnership, AnOwnedPointerIsDeletedOnceByItsOwner) {
    int deleted = 0;
    RValue owner{};
    owner.ptr = new CountedPointee(&deleted);
    owner.flags = VALUE_FLAG_OWNED_PTR;
    owner.kind = VALUE_PTR;
    {
        ScopedRValue copy(owner);
        EXPECT_EQ(copy.ptr, owner.ptr);
    }
    EXPECT_EQ(deleted, 0);
    FreeValue(owner);
    EXPECT_EQ(deleted, 1);
}

} // namespace
