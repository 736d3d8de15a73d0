#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueCompare.h"
#include "Code/ValueOperators.h"
#include "ValueTestSupport.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

RValue PtrValue(void* p) {
    RValue v{};
    v.ptr = p;
    v.kind = VALUE_PTR;
    return v;
}

// Each case is {a, b, what comparing a with b as compiled code does gives}.
void ExpectComparisons(const std::vector<std::tuple<ScopedRValue, ScopedRValue, int32_t>>& cases) {
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(CompareForCode(std::get<0>(cases[i]), std::get<1>(cases[i])),
                  std::get<2>(cases[i]))
            << "case " << i;
}

TEST(ValueCompare, NumbersCompareWithinAnEpsilonBelowOne) {
    ScopedRValue sum;
    OpAdd(sum, Num(0.1), Num(0.2));
    // Against an int32 the comparison runs in single precision; an int64 truncates the other.
    ExpectComparisons({{sum, Num(0.3), 0}, {Num(1), Num(1.00002), -1}, {Num(2), Num(1), 1},
                       {Num(kInf), Num(kInf), 0}, {Num(-kInf), Num(kInf), -1},
                       {Num(std::numeric_limits<double>::quiet_NaN()), Num(0), 1},
                       {BoolValue(true), Num(1), 0}, {Num(16777217), Int32Value(16777216), 0},
                       {Num(2.9), Int64Value(2), 0}, {Int32Value(-1), Int64Value(1), -1}});
    MathSetEpsilon(0.5);
    EXPECT_EQ(CompareForCode(Num(1), Num(1.4)), 0);
    MathSetEpsilon(1);    // ignored
    MathSetEpsilon(-0.1); // ignored
    EXPECT_EQ(MathEpsilon(), 0.5);
    MathSetEpsilon(0);
    EXPECT_EQ(MathEpsilon(), 0.00000000001);
    MathSetEpsilon(0.00001);
}

TEST(ValueCompare, StringsAgainstNumbersParseAndNeverMatchBadText) {
    RuntimeErrorCapture errors;
    // No epsilon across kinds.
    ExpectComparisons({{Str("1"), Num(1), 0}, {Num(1), Str("1.000001"), -1}, {Num(3), Str("2"), 1},
                       {Str("abc"), Num(1), 1}, {Num(1), Str("abc"), 1},
                       {Int32Value(7), Str("7"), 0}, {Str("true"), BoolValue(true), 0}});
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

TEST(ValueCompare, StringsBytewiseNullTextAsEmptyAndOtherKindsOnlyThemselves) {
    ScopedRValue array;
    AssignValue(array, Num(1), 0);
    ScopedRValue twin; // equal contents are not the same array
    AssignValue(twin, Num(1), 0);
    int cells[2];
    // Bytes compare unsigned.
    ExpectComparisons({{Str("abc"), Str("abd"), -1}, {Str("\xC3\xA9"), Str("z"), 1},
                       {Str("same"), Str("same"), 0}, {NullTextStr(), Str(""), 0},
                       {NullTextStr(), NullTextStr(), 0}, {UndefinedValue(), UndefinedValue(), 0},
                       {UndefinedValue(), Num(0), 1}, {Num(0), UndefinedValue(), -1},
                       {array, ScopedRValue(array), 0}, {array, twin, 1},
                       {PtrValue(&cells[0]), PtrValue(&cells[1]), 1},
                       {PtrValue(&cells[1]), PtrValue(&cells[0]), -1},
                       {PtrValue(&cells[1]), PtrValue(&cells[1]), 0}});
    EXPECT_NE(CompareForCode(NullTextStr(), Str("a")), 0);
    EXPECT_NE(CompareForCode(Str("a"), NullTextStr()), 0);
}

} // namespace
