#include <gtest/gtest.h>

#include <limits>

#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueText.h"
#include "ValueTestSupport.h"

namespace {

TEST(ValueText, NumbersPrintWholeOrWithTwoDecimals) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const std::pair<ScopedRValue, const char*> cases[] = {
        {RealValue(5), "5"}, {RealValue(-0.0), "0"}, {RealValue(2.5), "2.50"},
        {RealValue(-1.005), "-1.00"}, {RealValue(1e15), "1000000000000000"},
        {RealValue(9223372036854775808.0), "9223372036854775808.00"}, {RealValue(kNaN), "NaN"},
        {RealValue(std::numeric_limits<double>::infinity()), "inf"}, {BoolValue(true), "1"},
        {Int32Value(-12), "-12"}, {Int64Value(1LL << 40), "1099511627776"},
        {UndefinedValue(), "undefined"}, {NullTextStr(), ""},
        {RValue{{0}, 0, VALUE_OBJECT}, "null"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(ValueText(value), text);
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
