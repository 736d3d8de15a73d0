#include <gtest/gtest.h>

#include "Code/Builtins.h"
#include "Code/CodeTable.h"
#include "Code/FunctionIndex.h"
#include "Code/RuntimeError.h"
#include "Code/Scripts.h"
#include "Code/ValueText.h"
#include "Function/BuiltinGroups.h"
#include "ValueTestSupport.h"
#include "Variable/BuiltinArgs.h"

namespace {

// Joins its arguments' texts with "|", so a test can see exactly what the built-in received.
void JoinTexts(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    std::string joined;
    for (int i = 0; i < argc; ++i) joined += std::string(i ? "|" : "") + ArgString(args, i);
    MakeString(result, joined);
}

void ReadEveryKind(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, ArgReal(args, 0) + ArgInt32(args, 1) + (ArgBool(args, 2) ? 1 : 0));
}

RValue* CountArguments(CInstance*, CInstance*, RValue* result, int argc, RValue**) {
    SetReal(*result, argc);
    return result;
}

class BuiltinCall : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterBuiltin("join_texts", JoinTexts, BUILTIN_VARIADIC);
        RegisterBuiltin("read_every_kind", ReadEveryKind, 3);
        RegisterBuiltin("count_arguments", JoinTexts, BUILTIN_VARIADIC);
        SetCodeTable(kCode, 1);
        Script_Add("count_arguments", 0);
    }
    void TearDown() override {
        ClearBuiltins();
        Script_Clear();
        SetCodeTable(nullptr, 0);
    }
    static constexpr CodeEntry kCode[] = {{"psl_Script_count_arguments", CountArguments, nullptr}};
};

TEST_F(BuiltinCall, NamesResolveToScriptsBeforeBuiltins) {
    EXPECT_EQ(FindFunction(""), -1);
    EXPECT_EQ(FindFunction(nullptr), -1);
    EXPECT_EQ(FindFunction("no_such_function"), -1);
    EXPECT_EQ(FindFunction("read_every_kind"), 1);
    EXPECT_EQ(FindFunction("count_arguments"), FUNCTION_INDEX_SCRIPT_BASE);

    ScopedRValue a = Num(1);
    RValue* args[] = {&a, &a};
    ScopedRValue result;
    CallFunction(nullptr, nullptr, result, 2, FindFunction("count_arguments"), args);
    EXPECT_EQ(result.val, 2);
}

TEST_F(BuiltinCall, ScriptExecuteCallsAScriptByItsIndex) {
    RegisterResourceFunctions();
    RuntimeErrorCapture errors;
    ScopedRValue script = Num(0);
    ScopedRValue missing = Num(5);
    ScopedRValue a = Str("a");
    RValue* args[] = {&script, &a, &a, &a};
    ScopedRValue result;
    CallBuiltin(nullptr, nullptr, result, 4, FindBuiltin("script_execute"), args);
    EXPECT_EQ(result.val, 3);
    RValue* none[] = {&missing};
    CallBuiltin(nullptr, nullptr, result, 1, FindBuiltin("script_execute"), none);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"script_execute: script 5 does not exist"});
}

TEST_F(BuiltinCall, ArgumentsArriveInOrderAndTheResultIsReplaced) {
    ScopedRValue text = Str("snow");
    ScopedRValue number = Num(2.5);
    ScopedRValue flag = ScopedRValue(BoolValue(true));
    std::vector<ScopedRValue> many(20, Num(7)); // more than fit in the call's stack block
    std::vector<RValue*> args = {&text, &number, &flag};
    for (ScopedRValue& v : many) args.push_back(&v);

    ScopedRValue result = Str("previous result");
    CallBuiltin(nullptr, nullptr, result, static_cast<int>(args.size()), FindBuiltin("join_texts"), args.data());
    std::string expected = "snow|2.50|1";
    for (int i = 0; i < 20; ++i) expected += "|7";
    EXPECT_EQ(ValueText(result), expected);
    EXPECT_EQ(text.str->refcount, 1); // borrowed, never counted
    EXPECT_STREQ(CurrentBuiltinName(), "");
}

TEST_F(BuiltinCall, WrongArgumentKindsNameTheBuiltinAndTheArgument) {
    RuntimeErrorCapture errors;
    ScopedRValue digits = Str("12abc");
    ScopedRValue word = Str("abc");
    ScopedRValue nothing;
    RValue* args[] = {&digits, &word, &nothing};
    ScopedRValue result;
    CallBuiltin(nullptr, nullptr, result, 3, FindBuiltin("read_every_kind"), args);
    EXPECT_EQ(result.val, 12); // a string that starts with a digit reads as its number
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{
                                     "read_every_kind argument 2 incorrect type (string) expecting a Number (KxGI32)"});

    errors.Clear();
    ScopedRValue array;
    array.kind = VALUE_ARRAY;
    RValue* bad[] = {&array, &nothing, &word};
    CallBuiltin(nullptr, nullptr, result, 3, FindBuiltin("read_every_kind"), bad);
    RValue* unset_text[] = {&nothing};
    CallBuiltin(nullptr, nullptr, result, 1, FindBuiltin("join_texts"), unset_text);
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{
                                     "read_every_kind argument 1 incorrect type (array) expecting a Number (KxGR)",
                                     "read_every_kind argument 2 incorrect type (undefined) expecting a Number (KxGI32)",
                                     "read_every_kind argument 3 incorrect type (string) expecting a Number (KxGB)",
                                     "join_texts argument 1 incorrect type (undefined) expecting a String (KxGS)",
                                 }));
}

} // namespace
