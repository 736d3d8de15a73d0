// Values as compiled code sees them: text, references, arrays, comparison and operators.
#include <array>
#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <map>

#include "CaseTable.h"
#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueCompare.h"
#include "Code/ValueConvert.h"
#include "Code/ValueOperators.h"
#include "Code/ValueText.h"
#include "ValueTestSupport.h"

namespace {


// Text, comparison, conversion and the operators on the cases of data/value_cases.txt.
TEST(ValueCases, EachOperationGivesItsResultOnTheTableOfCases) {
    const auto cases = ReadCaseTable(TEST_SOURCE_DIR "/Code/data/value_cases.txt");
    const std::map<std::string, void (*)(RValue&, const RValue&)> operators = {
        {"+=", OpAddAssign}, {"-=", OpSubAssign}, {"*=", OpMulAssign}, {"/=", OpDivAssign},
        {"%=", OpModAssign}};
    const std::map<std::string, double (*)(const RValue&)> conversions = {
        {"real", [](const RValue& v) { return ToReal(v); }},
        {"int32", [](const RValue& v) { return double(ToInt32(v)); }},
        {"int64", [](const RValue& v) { return double(ToInt64(v)); }},
        {"pointer", [](const RValue& v) { return double(ToPointer(v)); }},
        {"bool", [](const RValue& v) { return double(ToBool(v)); }}};
    RuntimeErrorCapture errors;
    for (const TextCase& c : cases) {
        const std::vector<std::string>& f = c.fields;
        const bool raises = f.back().starts_with("! "); // the error the case raises
        const std::string& expected = f[f.size() - (raises ? 2 : 1)];
        const ScopedRValue a = ValueOf(f[1]);
        const std::string& op = f[0];
        std::string result;
        if (op == "text") result = ValueText(a);
        else if (op == "compare") result = std::to_string(CompareForCode(a, ValueOf(f[2])));
        else if (operators.contains(op)) {
            ScopedRValue value(a);
            operators.at(op)(value, ValueOf(f[2]));
            result = Shown(value);
        } else {
            ASSERT_TRUE(conversions.contains(op)) << "no such operation: " << c.line;
            const double number = conversions.at(op)(a);
            result = number == std::stod(expected) ? expected : std::to_string(number);
        }
        EXPECT_EQ(result, expected) << c.line;
        EXPECT_EQ(errors.Messages(), raises ? std::vector{f.back().substr(2)}
                                            : std::vector<std::string>{})
            << c.line;
        errors.Clear();
    }
    EXPECT_EQ(cases.size(), 89u);
    EXPECT_STREQ(ValueKindName(0x40000000u | VALUE_STRING), "string");
    EXPECT_STREQ(ValueKindName(VALUE_ITERATOR), "iterator");
    EXPECT_STREQ(ValueKindName(15), "unknown");
    EXPECT_STREQ(ValueKindName(VALUE_UNSET), "unset");
}

struct CountedPointee : OwnedPointee {
    explicit CountedPointee(int* deleted) : deleted_(deleted) {}
    ~CountedPointee() override { ++*deleted_; }
    int* deleted_;
};

TEST(ValueOwnership, CopiesShareAStringOrPointerAndOnlyTheLastOrOwningReleaseFreesIt) {
    ScopedRValue a = Str("snow");
    SharedString* record = a.str;
    {
        ScopedRValue b(a);
        ScopedRValue c;
        CopyValue(c, b);
        EXPECT_EQ(c.str, record);
        CopyValue(c, c); // onto itself: nothing changes
        EXPECT_EQ(record->refcount, 3);
        ScopedRValue array;
        for (int i = 0; i < 100; ++i)
            AssignValue(array, a, i);
        EXPECT_EQ(record->refcount, 103);
        EXPECT_EQ(ArrayLength(array), 100);
    }
    EXPECT_EQ(record->refcount, 1);
    FreeValue(a);
    EXPECT_EQ(a.Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(a.v64, 0);
    // a is the array's only holder: releasing it first would free the string being copied.
    AssignValue(a, Str("inner"), ArrayIndex(0, 0));
    CopyValue(a, *ArrayElementRef(a, 0));
    EXPECT_EQ(ValueText(a), "inner");

    // An owned pointer is deleted once, by its owner, however often it was copied.
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

TEST(ValueText, ArraysPrintTheirRowsAndAWriteTurnsANumberIntoAZeroFilledArray) {
    ScopedRValue v = Num(1);
    AssignValue(v, Num(7), 3);
    ASSERT_EQ(v.Kind(), VALUE_ARRAY);
    EXPECT_EQ(ValueText(v), "{ { 0,0,0,7 },  }");
    // The second index lives in the index's remainder: 32000 * 2 + 4 is row 2, element 4.
    AssignValue(v, Num(9), ArrayIndex(2, 4));
    ASSERT_EQ(v.arr->row_count, 3);
    EXPECT_EQ(v.arr->rows[1].length, 0);
    EXPECT_EQ(ValueText(v), "{ { 0,0,0,7 }, {  }, { 0,0,0,0,9 },  }");

    // Arrays nest; one met twice in a conversion prints as undefined, and the next starts afresh.
    ScopedRValue inner;
    AssignValue(inner, Num(1), 0);
    AssignValue(inner, Str("b"), 1);
    ScopedRValue outer;
    AssignValue(outer, inner, 0);
    AssignValue(outer, inner, 1);
    EXPECT_EQ(ValueText(outer), "{ { { { 1,b },  },{ undefined } },  }");
    EXPECT_EQ(ValueText(inner), "{ { 1,b },  }");
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

TEST(ValueCompare, NumbersCompareWithinAnEpsilonThatCanBeSet) {
    ScopedRValue sum;
    OpAdd(sum, Num(0.1), Num(0.2));
    EXPECT_EQ(CompareForCode(sum, Num(0.3)), 0);
    MathSetEpsilon(0.5);
    EXPECT_EQ(CompareForCode(Num(1), Num(1.4)), 0);
    MathSetEpsilon(1);    // ignored
    MathSetEpsilon(-0.1); // ignored
    EXPECT_EQ(MathEpsilon(), 0.5);
    MathSetEpsilon(0);
    EXPECT_EQ(MathEpsilon(), 0.00000000001);
    MathSetEpsilon(0.00001);
}

TEST(ValueCompare, BadTextRaisesOnlyWhenAskedAndOtherKindsEqualOnlyThemselves) {
    RuntimeErrorCapture errors;
    EXPECT_EQ(CompareValues(Str("abc"), Num(1), 0, true), 1);
    EXPECT_EQ(CompareValues(Int64Value(1), Str("x"), 0, true), 1);
    EXPECT_EQ(CompareValues(Str("maybe"), BoolValue(false), 0, true), 1);
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{
                                     "unable to convert string \"abc\" to float",
                                     "unable to convert string \"x\" to int64",
                                     "unable to convert string \"maybe\" to bool",
                                 }));

    ScopedRValue array;
    AssignValue(array, Num(1), 0);
    ScopedRValue twin; // equal contents are not the same array
    AssignValue(twin, Num(1), 0);
    EXPECT_EQ(CompareForCode(array, ScopedRValue(array)), 0);
    EXPECT_EQ(CompareForCode(array, twin), 1);
    int cells[2];
    const auto pointer = [](void* p) {
        RValue v{};
        v.ptr = p;
        v.kind = VALUE_PTR;
        return v;
    };
    EXPECT_EQ(CompareForCode(pointer(&cells[0]), pointer(&cells[1])), 1);
    EXPECT_EQ(CompareForCode(pointer(&cells[1]), pointer(&cells[0])), -1);
    EXPECT_EQ(CompareForCode(pointer(&cells[1]), pointer(&cells[1])), 0);
    EXPECT_NE(CompareForCode(NullTextStr(), Str("a")), 0);
    EXPECT_NE(CompareForCode(Str("a"), NullTextStr()), 0);
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

TEST(ValueOperators, BoolsStayBoolsAndBinaryOperatorsLeaveTheirOperands) {
    ScopedRValue b = BoolValue(true);
    OpAddAssign(b, Num(2));
    EXPECT_EQ(b.Kind(), VALUE_BOOL);
    EXPECT_EQ(b.val, 3);
    OpAddAssignInt(b, -4);
    EXPECT_EQ(b.val, -1);
    // Binary operators leave their operands alone, though the result may be one of them.
    ScopedRValue a = Str("ice"), result;
    OpAdd(result, a, Str("berg"));
    EXPECT_EQ(Shown(result), "string iceberg");
    EXPECT_EQ(Shown(a), "string ice");
    OpAdd(a, a, Str("berg"));
    EXPECT_EQ(Shown(a), "string iceberg");
    OpMul(result, Num(6), Num(7));
    EXPECT_EQ(Shown(result), "number 42");
    OpDiv(result, Num(1), Num(0)); // floats divide by zero without a check
    EXPECT_TRUE(std::isinf(result.val));
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
    ScopedRValue letter = Str("a");
    OpSubAssign(letter, Num(2));
    EXPECT_EQ(errors.Messages(),
              (std::vector<std::string>{"unable to add a number to string",
                                        "invalid type for *= lhs=x (type=1), rhs=2 (type=0)",
                                        "invalid type for %= lhs=x (type=1), rhs=y (type=1)",
                                        "unable to add undefined to a string", "unable to mod by 0",
                                        "Divide by zero", "Divide by zero",
                                        "unable to add a number to string",
                                        "unable to convert string \"a\" to number"}));
}

} // namespace
