#include <gtest/gtest.h>

#include <limits>

#include "Code/RuntimeError.h"
#include "Code/ValueOperators.h"
#include "Code/ValueText.h"
#include "ValueTestSupport.h"

namespace {

TEST(ValueOperators, NumbersAndBoolsKeepTheirKind) {
    ScopedRValue b = BoolValue(true);
    OpAddAssign(b, Num(2));
    EXPECT_EQ(b.Kind(), VALUE_BOOL);
    EXPECT_EQ(b.val, 3);
    ScopedRValue n = Num(7);
    OpAddAssign(n, Str("5")); // the string side is parsed
    EXPECT_EQ(n.val, 12);
    OpModAssign(n, Num(5));
    EXPECT_EQ(n.val, 2);
    OpAddAssignInt(n, -3);
    EXPECT_EQ(n.val, -1);
    ScopedRValue result;
    OpDiv(result, Num(1), Num(0)); // floats divide by zero without a check
    EXPECT_TRUE(std::isinf(result.val));
}

TEST(ValueOperators, IntegersWrapAndWidenAsTheRightOperandSays) {
    ScopedRValue i = Int32Value(std::numeric_limits<int32_t>::max());
    OpAddAssign(i, Int32Value(1));
    EXPECT_EQ(i.Kind(), VALUE_INT32);
    EXPECT_EQ(i.v32, std::numeric_limits<int32_t>::min());
    OpMulAssign(i, Int64Value(2));
    EXPECT_EQ(i.Kind(), VALUE_INT64);
    EXPECT_EQ(i.v64, -4294967296LL);
    OpAddAssign(i, Num(0.5)); // a number on the right turns the result into a number
    EXPECT_EQ(i.Kind(), VALUE_REAL);
    EXPECT_EQ(i.val, -4294967295.5);

    ScopedRValue q = Int32Value(-7);
    OpModAssign(q, Int32Value(2));
    EXPECT_EQ(q.v32, -1); // the remainder takes the dividend's sign
    ScopedRValue low = Int64Value(std::numeric_limits<int64_t>::min());
    OpDivAssign(low, Int64Value(-1));
    EXPECT_EQ(low.v64, std::numeric_limits<int64_t>::min());
}

TEST(ValueOperators, StringsConcatenateRepeatAndFallBackToNumbers) {
    RuntimeErrorCapture errors;
    ScopedRValue s = Str("snow");
    OpAddAssign(s, Str("tide"));
    EXPECT_EQ(ValueText(s), "snowtide");
    ScopedRValue x = Num(3);
    OpMulAssign(x, Str("ab"));
    EXPECT_EQ(ValueText(x), "ababab");
    ScopedRValue zero = Num(0);
    OpMulAssign(zero, Str("ab"));
    EXPECT_EQ(zero.Kind(), VALUE_STRING);
    EXPECT_EQ(ValueText(zero), "");
    ScopedRValue twice = Int32Value(2);
    OpMulAssign(twice, NullTextStr());
    EXPECT_EQ(ValueText(twice), "");

    ScopedRValue five = Str("5");
    OpSubAssign(five, Num(2));
    EXPECT_EQ(five.Kind(), VALUE_REAL);
    EXPECT_EQ(five.val, 3);
    ScopedRValue ten = Str("10");
    OpDivAssign(ten, Num(4));
    EXPECT_EQ(ten.val, 2.5);
    EXPECT_TRUE(errors.Empty());

    ScopedRValue letter = Str("a");
    OpSubAssign(letter, Num(2));
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"unable to convert string \"a\" to number"});
}

TEST(ValueOperators, BinaryOperatorsLeaveTheirOperandsAlone) {
    ScopedRValue a = Str("ice");
    ScopedRValue b = Str("berg");
    ScopedRValue result;
    OpAdd(result, a, b);
    EXPECT_EQ(ValueText(result), "iceberg");
    EXPECT_EQ(ValueText(a), "ice");
    OpAdd(a, a, b); // the result may be an operand
    EXPECT_EQ(ValueText(a), "iceberg");
    OpMul(result, Num(6), Num(7));
    EXPECT_EQ(result.Kind(), VALUE_REAL);
    EXPECT_EQ(result.val, 42);
}

TEST(ValueOperators, TypeErrorsAndDivisionByZeroRaise) {
    RuntimeErrorCapture errors;
    ScopedRValue s = Str("x");
    OpAddAssign(s, Num(1));
    OpMulAssign(s, Num(2));
    OpModAssign(s, Str("y"));
    ScopedRValue u;
    OpAddAssign(u, Num(1));
    ScopedRValue seven = Num(7);
    OpModAssign(seven, Num(0));
    EXPECT_EQ(seven.val, 7);
    EXPECT_EQ(OpIntDiv(Num(7), Num(0)), 0);
    EXPECT_EQ(OpIntDiv(Num(-7.9), Num(2)), -3);
    ScopedRValue i = Int32Value(1);
    OpDivAssign(i, Int32Value(0));
    OpAddAssignInt(s, 1);
    EXPECT_EQ(ValueText(s), "x"); // a failed operator leaves its left operand as it was
    EXPECT_EQ(errors.Messages(),
              (std::vector<std::string>{"unable to add a number to string",
                                        "invalid type for *= lhs=x (type=1), rhs=2 (type=0)",
                                        "invalid type for %= lhs=x (type=1), rhs=y (type=1)",
                                        "unable to add undefined to a string", "unable to mod by 0",
                                        "Divide by zero", "Divide by zero",
                                        "unable to add a number to string"}));
}

} // namespace
