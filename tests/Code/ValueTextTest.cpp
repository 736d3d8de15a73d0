#include <gtest/gtest.h>

#include <limits>

#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueText.h"
#include "ValueTestSupport.h"

namespace {

TEST(ValueText, NumbersPrintWholeOrWithTwoDecimals) {
    EXPECT_EQ(ValueText(RealValue(5)), "5");
    EXPECT_EQ(ValueText(RealValue(-0.0)), "0");
    EXPECT_EQ(ValueText(RealValue(2.5)), "2.50");
    EXPECT_EQ(ValueText(RealValue(-1.005)), "-1.00");
    EXPECT_EQ(ValueText(RealValue(1e15)), "1000000000000000");
    EXPECT_EQ(ValueText(RealValue(9223372036854775808.0)), "9223372036854775808.00");
    EXPECT_EQ(ValueText(RealValue(std::numeric_limits<double>::quiet_NaN())), "NaN");
    EXPECT_EQ(ValueText(RealValue(std::numeric_limits<double>::infinity())), "inf");
    EXPECT_EQ(ValueText(BoolValue(true)), "1");
    EXPECT_EQ(ValueText(Int32Value(-12)), "-12");
    EXPECT_EQ(ValueText(Int64Value(1LL << 40)), "1099511627776");
    EXPECT_EQ(ValueText(UndefinedValue()), "undefined");
    EXPECT_EQ(ValueText(NullTextStr()), "");
    EXPECT_EQ(ValueText(RValue{{0}, 0, VALUE_OBJECT}), "null");
}

TEST(ValueText, ArraysNestAndAnArrayMetTwicePrintsAsUndefined) {
    ScopedRValue inner;
    AssignValue(inner, Num(1), 0);
    AssignValue(inner, Str("b"), 1);
    ScopedRValue outer;
    AssignValue(outer, inner, 0);
    AssignValue(outer, inner, 1);
    EXPECT_EQ(ValueText(outer), "{ { { { 1,b },  },{ undefined } },  }");
    // The next conversion starts afresh.
    EXPECT_EQ(ValueText(inner), "{ { 1,b },  }");

    RValue null_array{{0}, 0, VALUE_ARRAY};
    EXPECT_EQ(ValueText(null_array), "{ undefined }");
}

TEST(ValueText, UnsetRefusesToPrintAndKindsHaveNames) {
    RuntimeErrorCapture errors;
    EXPECT_EQ(ValueText(UnsetValue()), "");
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"STRING argument is unset"});
    EXPECT_STREQ(ValueKindName(RealValue(0).kind), "number");
    EXPECT_STREQ(ValueKindName(0x40000000u | VALUE_STRING), "string");
    EXPECT_STREQ(ValueKindName(VALUE_ITERATOR), "iterator");
    EXPECT_STREQ(ValueKindName(15), "unknown");
    EXPECT_STREQ(ValueKindName(VALUE_UNSET), "unset");
}

} // namespace
