#include <array>
#include <gtest/gtest.h>

#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueText.h"
#include "ValueTestSupport.h"

namespace {

TEST(ValueArray, WritingAnElementTurnsANumberIntoAZeroFilledArray) {
    ScopedRValue v = Num(1);
    AssignValue(v, Num(7), 3);
    ASSERT_EQ(v.Kind(), VALUE_ARRAY);
    EXPECT_EQ(ValueText(v), "{ { 0,0,0,7 },  }");
    // The second index lives in the index's remainder: 32000 * 2 + 4 is row 2, element 4.
    AssignValue(v, Num(9), ArrayIndex(2, 4));
    ASSERT_EQ(v.arr->row_count, 3);
    EXPECT_EQ(v.arr->rows[1].length, 0);
    EXPECT_EQ(v.arr->rows[2].length, 5);
    EXPECT_EQ(ValueText(v), "{ { 0,0,0,7 }, {  }, { 0,0,0,0,9 },  }");
}

TEST(ValueArray, CopyOnWriteFollowsTheOwner) {
    ScopedRValue a;
    AssignValue(a, Num(1), 0);
    ScopedRValue b(a);
    // b is not the owner: its write gets a private copy and a stays as it was.
    AssignValue(b, Num(9), 0);
    EXPECT_NE(a.arr, b.arr);
    EXPECT_EQ(ValueText(a), "{ { 1 },  }");
    EXPECT_EQ(ValueText(b), "{ { 9 },  }");
    // a owns its array: writing through it changes what every sharer sees.
    ScopedRValue c(a);
    *ArrayElementForWrite(a, 0) = RealValue(5);
    EXPECT_EQ(a.arr, c.arr);
    EXPECT_EQ(ValueText(c), "{ { 5 },  }");
    // Once the owner lets go, the next writer that shares must copy again.
    FreeValue(a);
    ScopedRValue d(c);
    EXPECT_EQ(c.arr->owner, &c);
    AssignValue(d, Num(6), 0);
    EXPECT_EQ(ValueText(c), "{ { 5 },  }");
}

TEST(ValueArray, MissesAreRecordedAndOnlyIndexingANonArrayRaises) {
    RuntimeErrorCapture errors;
    ScopedRValue v;
    AssignValue(v, Num(1), ArrayIndex(1, 0));
    AssignValue(v, Num(2), -5); // row 0, element -5: nothing stored
    EXPECT_EQ(ArrayElementForWrite(v, -32001), nullptr);
    EXPECT_TRUE(ArrayError().failed);
    EXPECT_EQ((std::array{ArrayError().first, ArrayError().second, ArrayError().row_length}),
              (std::array{-1, -1, -1}));
    EXPECT_EQ(ValueText(v), "{ {  }, { 1 },  }");

    AssignValue(v, Str("x"), 1);
    ScopedRValue out;
    EXPECT_TRUE(ReadValue(out, v, 1));
    EXPECT_EQ(ValueText(out), "x");
    EXPECT_FALSE(ReadValue(out, v, 2));
    EXPECT_EQ(out.Kind(), VALUE_REAL);
    EXPECT_EQ(ArrayError().second, 2);
    EXPECT_EQ(ArrayError().row_length, 2);
    EXPECT_TRUE(errors.Empty());

    ScopedRValue number = Num(3);
    EXPECT_TRUE(ReadValue(out, number, 0));
    EXPECT_EQ(ArrayElementRef(number, 0), nullptr);
    EXPECT_EQ(ArrayElementRef(v, ArrayIndex(2, 0)), nullptr);
    EXPECT_EQ(ArrayElementRef(v, 7), nullptr);
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{
                                     "trying to index a variable which is not an array",
                                     "trying to index variable that is not an array",
                                     "first index out of bounds request 2 maximum size is 2",
                                     "second index out of bounds request 0,7 maximum size is 2"}));
}

TEST(ValueArray, ElementsAreReleasedWithTheirArray) {
    ScopedRValue text = Str("kept");
    {
        ScopedRValue v;
        for (int i = 0; i < 100; ++i) AssignValue(v, text, i);
        EXPECT_EQ(text.str->refcount, 101);
        EXPECT_EQ(ArrayLength(v), 100);
    }
    EXPECT_EQ(text.str->refcount, 1);
}

} // namespace
