#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <limits>

#include "Code/RuntimeError.h"
#include "Code/ValueConvert.h"
#include "Code/ValueText.h"
#include "ValueTestSupport.h"

namespace {

TEST(ValueConvert, StringsParseLikeTheCLibrary) {
    RuntimeErrorCapture errors;
    EXPECT_EQ(ToReal(Str("  2.5xyz")), 2.5);
    EXPECT_EQ(ToReal(Str("-1e3")), -1000);
    EXPECT_EQ(ToInt32(Str("42.9")), 42);
    EXPECT_EQ(ToInt32(Str("99999999999")), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ToInt64(Str("-9000000000")), -9000000000);
    EXPECT_EQ(ToPointer(Str("ff")), 255);
    EXPECT_EQ(ToPointer(Str("zz")), 0); // hex parses never fail
    EXPECT_TRUE(ToBool(Str("0.6")));
    EXPECT_FALSE(ToBool(Str("0.5")));
    EXPECT_TRUE(ToBool(Str("TRUE")));
    EXPECT_FALSE(ToBool(Str("False")));
    EXPECT_EQ(ToReal(NullTextStr()), 0);
    EXPECT_FALSE(ToBool(NullTextStr()));
    EXPECT_TRUE(errors.Empty());
}

TEST(ValueConvert, TheProcessLocaleDoesNotChangeNumbers) {
    // A player's locale with a decimal comma must not change how "2.5" reads or prints.
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "the build makes this locale";
    char decimal_comma[8];
    std::snprintf(decimal_comma, sizeof decimal_comma, "%.1f", 2.5);
    ASSERT_STREQ(decimal_comma, "2,5");
    EXPECT_EQ(ToReal(Str("2.5")), 2.5);
    EXPECT_EQ(ValueText(RealValue(2.5)), "2.50");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(ValueConvert, NumbersTruncateTowardZeroAndOutOfRangeValuesStayDefined) {
    EXPECT_EQ(ToInt32(RealValue(-2.9)), -2);
    EXPECT_EQ(ToInt64(RealValue(3.99)), 3);
    EXPECT_EQ(ToInt32(RealValue(1e10)), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ToInt64(RealValue(std::numeric_limits<double>::quiet_NaN())), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(ToInt32(Int64Value(0x100000005)), 5); // the low word
    EXPECT_EQ(ToInt64(Int32Value(-7)), -7);
    EXPECT_TRUE(ToBool(BoolValue(true)));
    EXPECT_FALSE(ToBool(Int32Value(0)));
    EXPECT_FALSE(ToBool(UndefinedValue())); // the one kind that converts to false silently
}

TEST(ValueConvert, BadKindsRaiseTheirMessageAndGiveZero) {
    RuntimeErrorCapture errors;
    ScopedRValue array;
    MakeString(array, "x");
    FreeValue(array);
    array.kind = VALUE_ARRAY; // an array value with no record still converts as an array
    RValue object{};
    object.kind = VALUE_OBJECT;

    EXPECT_EQ(ToReal(Str("snow")), 0);
    EXPECT_EQ(ToInt32(Str("snow")), 0);
    EXPECT_EQ(ToInt64(Str("snow")), 0);
    EXPECT_FALSE(ToBool(Str("snow")));
    EXPECT_EQ(ToReal(array), 0);
    EXPECT_EQ(ToInt64(array), 0);
    EXPECT_EQ(ToReal(UndefinedValue()), 0);
    EXPECT_EQ(ToInt32(UnsetValue()), 0);
    EXPECT_EQ(ToPointer(UndefinedValue()), 0);
    EXPECT_FALSE(ToBool(RValue{{0}, 0, VALUE_PTR}));
    EXPECT_EQ(ToReal(object), 0);
    EXPECT_EQ(ToInt32(RValue{{0}, 0, VALUE_VEC4}), 0);
    EXPECT_EQ(errors.Messages(),
              (std::vector<std::string>{
                  "unable to convert string \"snow\" to number",
                  "unable to convert string \"snow\" to integer",
                  "unable to convert string \"snow\" to int64",
                  "unable to convert string \"snow\" to bool", "REAL argument is array",
                  "INT64 argument is array", "REAL argument is undefined", "I32 argument is unset",
                  "PTR argument is undefined", "bool argument is ptr",
                  "REAL argument incorrect type 6", "I32 argument incorrect type 8"}));
}

} // namespace
