// Compiled scripts written the way the game writes them, run through the game API.
#include <gtest/gtest.h>

#include "Code/RunningCode.h"
#include "Code/Scripts.h"
#include "Runner/GameApi.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

// The game's own variables, in the order of their names.
constexpr int32_t SLOT_count = 0;
constexpr int32_t SLOT_hp = 1;

VariablePair g_variables[] = {{"count", SLOT_count}, {"hp", SLOT_hp}, {"x", -1}, {nullptr, 0}};
FunctionPair g_functions[] = {{"string", -1}, {"nothing_by_this_name", -1}, {nullptr, 0}};
const VariablePair& VAR_x = g_variables[2];
const FunctionPair& FN_string = g_functions[0];

double g_x = 0;
bool GetX(CInstance*, int32_t, RValue* result) {
    SetReal(*result, g_x);
    return true;
}
bool SetX(CInstance*, int32_t, const RValue* value) {
    g_x = ToReal(*value);
    return true;
}

void StringBuiltin(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    MakeString(result, ValueText(args[0]));
}

// argument_count, as a script sees it.
RValue* psl_Script_count_args(CInstance*, CInstance*, RValue* result, int argc, RValue**) {
    ScriptFrame frame("psl_Script_count_args", result);
    frame.Line(1);
    *result = RealValue(argc);
    return result;
}

// n <= 1 ? 1 : n * factorial(n - 1)
RValue* psl_Script_factorial(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_factorial", result);
    frame.Line(1);
    Value n = Argument(argc, argv, 0);
    if (n <= Value(1)) {
        frame.Line(2);
        *result = RealValue(1);
        return result;
    }
    frame.Line(3);
    Value rest = CallScript(psl_Script_factorial, self, other, n - 1);
    CopyValue(*result, n * rest);
    return result;
}

// Reads an argument it was not given.
RValue* psl_Script_inner(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_inner", result);
    frame.Line(7);
    CopyValue(*result, Argument(argc, argv, 1));
    return result;
}

RValue* psl_Script_outer(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_outer", result);
    frame.Line(3);
    CopyValue(*result, CallScript(psl_Script_inner, self, other, Value("only one")));
    return result;
}

void psl_Object_oNPC_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Step_1");
    frame.Line(2);
    Var(self, SLOT_hp) -= Value(1);
    frame.Line(4);
    CallScript(psl_Script_outer, self, other);
}

const CodeEntry kCode[] = {
    {"psl_Script_count_args", psl_Script_count_args, nullptr},
    {"psl_Script_factorial", psl_Script_factorial, nullptr},
    {"psl_Object_oNPC_Step_1", nullptr, psl_Object_oNPC_Step_1},
};

class GameApi : public ::testing::Test {
protected:
    void SetUp() override {
        ResetVariables();
        RegisterBuiltinVariable("x", GetX, SetX);
        RegisterBuiltin("string", StringBuiltin, 1);
        LinkGame({2, 2, g_variables, g_functions, kCode, 3, 0, {}});
        LoadGameVariables(g_variables, 2, 2);
        Script_Add("count_args", 0);
        Script_Add("factorial", 1);
        ResolveGameNames();
    }
    void TearDown() override {
        Script_Clear();
        ClearBuiltins();
        ResetVariables();
        LinkGame({});
    }
    CInstance npc_{100001, 0};
};

TEST_F(GameApi, ScriptsCountTheirArgumentsAndRecurse) {
    Value a = 1;
    EXPECT_EQ(Real(CallScript(psl_Script_count_args, &npc_, &npc_)), 0);
    EXPECT_EQ(Real(CallScript(psl_Script_count_args, &npc_, &npc_, a, Value("b"), a)), 3);
    EXPECT_EQ(Real(CallScript(psl_Script_factorial, &npc_, &npc_, Value(10))), 3628800);
    EXPECT_EQ(g_FrameChain, nullptr); // every frame popped on the way out

    // The runner reaches the same scripts through their index.
    ScopedRValue result;
    RValue* argv[] = {&a};
    CallFunction(&npc_, &npc_, result, 1, FindFunction("count_args"), argv);
    EXPECT_EQ(result.val, 1);
}

TEST_F(GameApi, NamesResolveOnceAndSlotsHoldTheGamesVariables) {
    EXPECT_EQ(std::pair(FN_string.index, g_functions[1].index), std::pair(0, -1));
    EXPECT_EQ(ValueText(Call(&npc_, &npc_, FN_string, Value(2.5))), "2.50");

    SetBuiltinVar(&npc_, VAR_x, Value(64));
    EXPECT_EQ(std::pair(g_x, Real(BuiltinVar(&npc_, VAR_x))), std::pair(64.0, 64.0));

    Assign(Global(SLOT_count), Value(3));
    Global(SLOT_count) += 2;
    Assign(Var(&npc_, SLOT_hp), Value("full"));
    EXPECT_EQ(Real(Global(SLOT_count)), 5);
    EXPECT_EQ(Var(&npc_, SLOT_hp), Value("full"));
    EXPECT_EQ(Var(GlobalObject(), SLOT_hp).Kind(), VALUE_UNSET); // another holder, untouched

    AssignElement(Var(&npc_, SLOT_count), ArrayIndex(1, 2), Value(9));
    EXPECT_EQ(Real(Element(Var(&npc_, SLOT_count), ArrayIndex(1, 2))), 9);
}

TEST_F(GameApi, AFailingScriptReportsTheWholeCallChain) {
    RuntimeErrorCapture errors;
    Assign(Var(&npc_, SLOT_hp), Value(3));
    {
        RunningCodeScope running({RunningCode::Kind::ObjectEvent, "psl_Object_oNPC_Step_1", "oNPC", 3, 1, 0});
        CodeEntryAt(2)->event(&npc_, &npc_);
    }
    EXPECT_EQ(Real(Var(&npc_, SLOT_hp)), 2);
    ASSERT_EQ(errors.Messages(), std::vector<std::string>{"referencing argument index out of range 1"});
    const std::string& report = errors.Reports()[0];
    EXPECT_NE(report.find("FATAL ERROR in\naction number 1\nof Step Event1\nfor object oNPC:"), std::string::npos);
    std::string chain = report.substr(report.find("called from"));
    EXPECT_EQ(chain, "called from - psl_Script_inner (line 7)\n"
                     "called from - psl_Script_outer (line 3)\n"
                     "called from - psl_Object_oNPC_Step_1 (line 4)\n");
}

TEST(GameConstants, OneListServesCompiledCodeAndTheTableByName) {
    RegisterGameConstants();
    double value = 0;
    for (const auto& [name, expected] :
         {std::pair{"ev_user3", double(ev_user3)}, {"ev_clean_up", double(ev_cleanup)},
          {"ev_global_middle_release", 58.0}, {"noone", -4.0}, {"self", double(TARGET_SELF)}}) {
        EXPECT_TRUE(FindConstant(name, &value)) << name;
        EXPECT_EQ(value, expected) << name;
    }
    EXPECT_FALSE(FindConstant("ev_nothing", &value));
}

TEST_F(GameApi, ValuesFollowTheValueRulesThroughOperators) {
    RuntimeErrorCapture errors;
    EXPECT_TRUE(Value(0.1) + Value(0.2) == Value(0.3));
    EXPECT_TRUE(Value("1") == Value(1) && Value("abc") != Value(1));
    EXPECT_EQ(ValueText(Value(3) * Value("ab")), "ababab");
    EXPECT_EQ((std::vector<double>{Real(Div(Value(7), Value(2))), Max(3, -1.5, 7), Min(3, -1.5, 7),
                                   Abs(-2.5), Sign(-2.5)}),
              (std::vector<double>{3, 7, -1.5, 2.5, -1}));
    RunnerRandom().SetSeed(42);
    double first = IRandomRange(5, 2);
    RunnerRandom().SetSeed(42);
    EXPECT_EQ(IRandomRange(5, 2), first); // the same generator as the built-ins
    EXPECT_TRUE(first >= 2 && first <= 5) << first;
    EXPECT_TRUE(static_cast<bool>(Value(0.6)) && !static_cast<bool>(Value(0.5)));
    // A never-written variable cannot take part in arithmetic.
    Value unset = Var(&npc_, SLOT_count);
    EXPECT_EQ(unset.Kind(), VALUE_UNSET);
    Value sum_with_literal = Global(SLOT_count) + 1;
    unset += Value(1);
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{"REAL argument is unset", "STRING argument is unset"}));
}

} // namespace
