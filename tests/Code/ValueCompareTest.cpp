#include <gtest/gtest.h>

#include <limits>

#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueCompare.h"
#include "Code/ValueOperators.h"
#include "ValueTestSupport.h"

namespace {

int32_t Compare(const RValue& a, const RValue& b) { return CompareForCode(a, b); }

RValue PtrValue(void* p) {
    RValue v{};
    v.ptr = p;
    v.kind = VALUE_PTR;
    return v;
}

TEST(ValueCompare, NumbersCompareWithinTheEpsilon) {
    ScopedRValue sum;
    OpAdd(sum, Num(0.1), Num(0.2));
    EXPECT_EQ(Compare(sum, Num(0.3)), 0);
    EXPECT_EQ(Compare(Num(1), Num(1.00002)), -1);
    EXPECT_EQ(Compare(Num(2), Num(1)), 1);
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Compare(Num(inf), Num(inf)), 0);
    EXPECT_EQ(Compare(Num(-inf), Num(inf)), -1);
    EXPECT_EQ(Compare(Num(std::numeric_limits<double>::quiet_NaN()), Num(0)), 1);
    EXPECT_EQ(Compare(BoolValue(true), Num(1)), 0);
    // Against an int32 the comparison runs in single precision.
    EXPECT_EQ(Compare(Num(16777217), Int32Value(16777216)), 0);
    EXPECT_EQ(Compare(Num(2.9), Int64Value(2)), 0); // truncated to an integer first
    EXPECT_EQ(Compare(Int32Value(-1), Int64Value(1)), -1);
}

TEST(ValueCompare, MathEpsilonAcceptsOnlyValuesBelowOne) {
    MathSetEpsilon(0.5);
    EXPECT_EQ(Compare(Num(1), Num(1.4)), 0);
    MathSetEpsilon(1); // ignored
    MathSetEpsilon(-0.1); // ignored
    EXPECT_EQ(MathEpsilon(), 0.5);
    MathSetEpsilon(0);
    EXPECT_EQ(MathEpsilon(), 0.00000000001);
    MathSetEpsilon(0.00001);
}

TEST(ValueCompare, StringsAgainstNumbersParseAndNeverMatchBadText) {
    RuntimeErrorCapture errors;
    EXPECT_EQ(Compare(Str("1"), Num(1)), 0);
    EXPECT_EQ(Compare(Num(1), Str("1.000001")), -1); // no epsilon across kinds
    EXPECT_EQ(Compare(Num(3), Str("2")), 1);
    EXPECT_EQ(Compare(Str("abc"), Num(1)), 1);
    EXPECT_EQ(Compare(Num(1), Str("abc")), 1);
    EXPECT_EQ(Compare(Int32Value(7), Str("7")), 0);
    EXPECT_EQ(Compare(Str("true"), BoolValue(true)), 0);
    EXPECT_TRUE(errors.Empty());

    EXPECT_EQ(CompareValues(Str("abc"), Num(1), 0, true), 1);
    EXPECT_EQ(CompareValues(Int64Value(1), Str("x"), 0, true), 1);
    EXPECT_EQ(CompareValues(Str("maybe"), BoolValue(false), 0, true), 1);
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{
                                     "unable to convert string \"abc\" to float",
                                     "unable to convert string \"x\" to int64",
                                     "unable to convert string \"maybe\" to bool",
                                 }));
}

TEST(ValueCompare, StringsCompareBytewiseAndNullTextEqualsEmpty) {
    EXPECT_EQ(Compare(Str("abc"), Str("abd")), -1);
    EXPECT_EQ(Compare(Str("\xC3\xA9"), Str("z")), 1); // unsigned bytes
    EXPECT_EQ(Compare(Str("same"), Str("same")), 0);
    EXPECT_EQ(Compare(NullTextStr(), Str("")), 0);
    EXPECT_EQ(Compare(NullTextStr(), NullTextStr()), 0);
    EXPECT_NE(Compare(NullTextStr(), Str("a")), 0);
    EXPECT_NE(Compare(Str("a"), NullTextStr()), 0);
}

TEST(ValueCompare, OtherKindsMatchOnlyThemselves) {
    EXPECT_EQ(Compare(UndefinedValue(), UndefinedValue()), 0);
    EXPECT_EQ(Compare(UndefinedValue(), Num(0)), 1);
    EXPECT_EQ(Compare(Num(0), UndefinedValue()), -1);
    ScopedRValue a;
    AssignValue(a, Num(1), 0);
    ScopedRValue same(a);
    ScopedRValue other;
    AssignValue(other, Num(1), 0);
    EXPECT_EQ(Compare(a, same), 0);
    EXPECT_EQ(Compare(a, other), 1); // equal contents are not the same array
    int cells[2];
    EXPECT_EQ(Compare(PtrValue(&cells[0]), PtrValue(&cells[1])), 1);
    EXPECT_EQ(Compare(PtrValue(&cells[1]), PtrValue(&cells[0])), -1);
    EXPECT_EQ(Compare(PtrValue(&cells[1]), PtrValue(&cells[1])), 0);
}

} // namespace
