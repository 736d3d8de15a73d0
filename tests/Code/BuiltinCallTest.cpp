// Built-ins and scripts called by index, the argument getters' messages, the error report.
#include <gtest/gtest.h>

#include "Base/OutputChannel.h"
#include "Code/Builtins.h"
#include "Code/CodeTable.h"
#include "Code/FrameRecord.h"
#include "Code/FunctionIndex.h"
#include "Code/RunningCode.h"
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

TEST_F(BuiltinCall, NamesResolveToScriptsBeforeBuiltinsAndScriptsRunByIndex) {
    EXPECT_EQ(FindFunction(""), -1);
    EXPECT_EQ(FindFunction(nullptr), -1);
    EXPECT_EQ(FindFunction("no_such_function"), -1);
    EXPECT_EQ(FindFunction("read_every_kind"), 1);
    EXPECT_EQ(FindFunction("count_arguments"), FUNCTION_INDEX_SCRIPT_BASE);

    RegisterResourceFunctions();
    RuntimeErrorCapture errors;
    ScopedRValue script = Num(0), a = Str("a"), result = Str("previous result");
    RValue* args[] = {&script, &a, &a, &a};
    CallFunction(nullptr, nullptr, result, 2, FindFunction("count_arguments"), args + 1);
    EXPECT_EQ(result.val, 2);
    CallBuiltin(nullptr, nullptr, result, 4, FindBuiltin("script_execute"), args);
    EXPECT_EQ(result.val, 3);
    MakeString(result, "previous result");
    CallFunction(nullptr, nullptr, result, 0, FUNCTION_INDEX_SCRIPT_BASE + 1, args);
    EXPECT_EQ(result.Kind(), VALUE_REAL); // no such script: nothing runs, the result is 0
    EXPECT_EQ(result.val, 0);
    SetReal(script, 5);
    CallBuiltin(nullptr, nullptr, result, 1, FindBuiltin("script_execute"), args);
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{"script_execute: script 5 does not exist"});
}

TEST_F(BuiltinCall, ArgumentsArriveInOrderAndTheResultIsReplaced) {
    ScopedRValue text = Str("snow");
    ScopedRValue number = Num(2.5);
    ScopedRValue flag = ScopedRValue(BoolValue(true));
    std::vector<ScopedRValue> many(20, Num(7)); // more than fit in the call's stack block
    std::vector<RValue*> args = {&text, &number, &flag};
    for (ScopedRValue& v : many) args.push_back(&v);

    ScopedRValue result = Str("previous result");
    CallBuiltin(nullptr, nullptr, result, static_cast<int>(args.size()),
                FindBuiltin("join_texts"), args.data());
    std::string expected = "snow|2.50|1";
    for (int i = 0; i < 20; ++i) expected += "|7";
    EXPECT_EQ(ValueText(result), expected);
    EXPECT_EQ(text.str->refcount, 1); // borrowed, never counted
    EXPECT_STREQ(CurrentBuiltinName(), "");
}

TEST_F(BuiltinCall, WrongArgumentKindsNameTheBuiltinAndTheArgument) {
    RuntimeErrorCapture errors;
    ScopedRValue digits = Str("12abc"), word = Str("abc"), nothing, array;
    array.kind = VALUE_ARRAY;
    RValue* args[] = {&digits, &word, &nothing};
    ScopedRValue result;
    CallBuiltin(nullptr, nullptr, result, 3, FindBuiltin("read_every_kind"), args);
    EXPECT_EQ(result.val, 12); // a string that starts with a digit reads as its number
    RValue* bad[] = {&array, &nothing, &word};
    CallBuiltin(nullptr, nullptr, result, 3, FindBuiltin("read_every_kind"), bad);
    CallBuiltin(nullptr, nullptr, result, 1, FindBuiltin("join_texts"), &args[2]);
    EXPECT_EQ(errors.Messages(),
              (std::vector<std::string>{
                  "read_every_kind argument 2 incorrect type (string) expecting a Number (KxGI32)",
                  "read_every_kind argument 1 incorrect type (array) expecting a Number (KxGR)",
                  "read_every_kind argument 2 incorrect type (undefined) expecting a Number "
                  "(KxGI32)",
                  "read_every_kind argument 3 incorrect type (string) expecting a Number (KxGB)",
                  "join_texts argument 1 incorrect type (undefined) expecting a String (KxGS)",
              }));
}

const std::string kHashes(92, '#');
const std::string kDashes(92, '-');

// Each header names what was running: an object's event with its action, a room's creation
// code, a time line's moment; the frames follow.
TEST(ErrorReport, TheHeaderNamesWhatRanAndEveryActiveFunctionFollows) {
    std::string debug;
    DebugOutput().CaptureTo(&debug);
    RuntimeErrorCapture errors;
    {
        RunningCodeScope running({RunningCode::Kind::ObjectEvent, "psl_Object_oNPC_Step_1", "oNPC", 3, 1, 0});
        FrameScope event("psl_Object_oNPC_Step_1");
        event.Line(4);
        FrameScope script("psl_Script_say");
        script.Line(12);
        RaiseRuntimeError("unable to convert string \"%s\" to number", "hi");
    }
    DebugOutput().CaptureTo(nullptr);
    EXPECT_EQ(LastRuntimeError(), "unable to convert string \"hi\" to number");
    // Every report is announced on the debug output as well.
    EXPECT_EQ(debug, "ERROR!!! :: unable to convert string \"hi\" to number\n");
    {
        RunningCodeScope running({RunningCode::Kind::RoomCreation, "psl_Room_rmSnow_Create", "rmSnow", -2, -1, 0});
        FrameScope room("psl_Room_rmSnow_Create");
        room.Line(-1);
        ShowError("Divide by zero", true);
    }
    {
        RunningCodeScope running({RunningCode::Kind::TimeLine, "psl_Timeline_tlIntro_3", "tlIntro", 0, 0, 30});
        ShowError("no such sound", false);
    }
    const std::string rules = kHashes + "\n" + kDashes + "\n";
    // Not fatal: no prefix; the time line's code is no object handler, so no action number.
    EXPECT_EQ(errors.Reports(),
              (std::vector<std::string>{
                  kHashes + "\nFATAL ERROR in\naction number 1\nof Step Event1\nfor object oNPC:\n\n\n"
                            "unable to convert string \"hi\" to number\nat psl_Object_oNPC_Step_1\n" + rules +
                      "called from - psl_Script_say (line 12)\ncalled from - psl_Object_oNPC_Step_1 (line 4)\n",
                  kHashes + "\nFATAL FATAL ERROR in Room Creation Code for room rmSnow\n\n\nDivide by zero\n"
                            "at psl_Room_rmSnow_Create\n" + rules + "called from - psl_Room_rmSnow_Create\n",
                  kHashes + "\nERROR in\naction number 0\nat time step30\nof time line tlIntro:\n\n\n"
                            "no such sound\nat psl_Timeline_tlIntro_3\n" + rules}));
    EXPECT_EQ(g_FrameChain, nullptr);
}

TEST(ErrorReportDeathTest, AFatalReportEndsTheProcessWithCodeOne) {
    EXPECT_EXIT(RaiseRuntimeError("referencing argument index out of range %d", 1),
                ::testing::ExitedWithCode(1), "referencing argument index out of range 1");
}

} // namespace
