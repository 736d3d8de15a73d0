// The text command language on the game's own package: expressions, conditionals, jumps,
// variables, inline commands, the fatal errors, and script_execute_array.
#include <string>

#include "GameFixture.h"
#include "TextScript.h"

namespace {

class TextCommandTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Start();
        RunFrames(3); // on to the title, where no room change holds back events
    }

    // What a new NPC with this script says from start to end.
    static std::string Say(const std::string& script) {
        CInstance* npc = MakeSpeaker(script);
        const std::string said = Converse(npc);
        RemoveSpeaker(npc);
        return said;
    }

    static std::string Evaluate(CInstance* self, const std::string& expression) {
        return ValueText(CallScript(psl_Script_expression_process, self, self, Value(expression)));
    }

    static std::string InstanceValue(CInstance* instance, const char* name) {
        ScopedRValue value;
        VariableInstanceGet(instance->id, name, value);
        return ValueText(value);
    }

    // The ids the next list and stack would get: the lowest free ones.
    static std::string FreeIds() {
        const Value list = Call(nullptr, nullptr, FN_ds_list_create);
        const Value stack = Call(nullptr, nullptr, FN_ds_stack_create);
        Call(nullptr, nullptr, FN_ds_list_destroy, list);
        Call(nullptr, nullptr, FN_ds_stack_destroy, stack);
        return ValueText(list) + " " + ValueText(stack);
    }
};

TEST_F(TextCommandTest, ExpressionsFollowPrecedenceAndTheValueRules) {
    RuntimeErrorCapture errors;
    CInstance* npc = MakeSpeaker("!set n,1");
    Converse(npc);
    VariableGlobalSet("coins", RealValue(4));
    const struct {
        std::string expression, value;
    } cases[] = {
        {"2+3*4", "14"}, {"10-4-3", "3"}, {"-2*3", "-6"}, {"2*-3", "-6"}, {"3 - -2", "5"}, {"-(2+3)*2", "-10"},
        {"(2+3)*4", "20"}, {"7/2", "3.50"}, {"1.5+1", "2.50"}, {"'a'+1", "a1"}, {"1+'a b'", "1a b"}, {"n = 1", "1"},
        {"n == 1", "1"}, {"n != 1", "0"}, {"n=2", "0"}, {"1 < 2 and 2 <= 2", "1"}, {"1 > 2 or 3 >= 4", "0"},
        {"1 || 1 && 0", "1"}, {"not 0", "1"}, {"!1", "0"}, {"n = not 0", "1"}, {"1 xor 1", "0"}, {"1 ^^ 0", "1"},
        {"true + true", "2"}, {"false", "0"}, {"flagnever", "0"}, {"global.coins * 2", "8"},
        {"oInput.multiplayer", "0"}, {std::to_string(npc->id) + ".n + 1", "2"}, {"", "undefined"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Evaluate(npc, c.expression), c.value) << c.expression;
    EXPECT_TRUE(errors.Empty()) << errors.Messages()[0];
    RemoveSpeaker(npc);
}

TEST_F(TextCommandTest, ConditionalsRunExactlyOneClause) {
    RuntimeErrorCapture errors;
    const std::string chain = "!if v = 1\nA\n!elif v = 2\nB\n!elif v = 3\nC\n!else\nD\n!fi\nend";
    for (int v = 1; v <= 4; ++v)
        EXPECT_EQ(Say("!set v," + std::to_string(v) + "\n" + chain),
                  std::string(1, char('A' + v - 1)) + "|end");
    EXPECT_EQ(Say("!if 0\nA\n!fi\nend"), "end");
    EXPECT_EQ(Say("!if 0\nA\n!fi\n!if 1\nB\n!else\nC\n!fi\n!if 0\nD\n!elif 1\nE\n!fi"), "B|E");
    const std::string nested =
        "!if a\n!if b\nAB\n!else\nA\n!fi\n!elif b\nB\n!else\n!if 1\nN\n!fi\n!fi\nend";
    const char* expected[] = {"N|end", "B|end", "A|end", "AB|end"};
    for (int a = 0; a <= 1; ++a)
        for (int b = 0; b <= 1; ++b)
            EXPECT_EQ(Say("!set a," + std::to_string(a) + "\n!set b," + std::to_string(b) + "\n" +
                          nested),
                      expected[a * 2 + b]);
    // Stray and unclosed conditionals neither crash nor loop: the stray word is said, the open
    // block's false condition jumps to a label that never comes, which ends the script.
    EXPECT_EQ(Say("!fi\nA"), "!fi|A");
    EXPECT_EQ(Say("!if 0\nA"), "");
    EXPECT_TRUE(errors.Empty()) << errors.Messages()[0];
}

TEST_F(TextCommandTest, JumpsResumeOnTheLabelledLine) {
    RuntimeErrorCapture errors;
    const struct {
        const char* script;
        const char* said;
    } cases[] = {
        {"!jump end\nskipped\nend: shown", "shown"}, {"!jumpf flagnever,no\nyes\nno: after", "after"},
        {"!jumpt 1,b\nA\nb: B", "B"}, {"!jumpe 'c' + 1\nA\nc1: C", "C"},
        {"top: !set flagn,flagn+1\n!jumpt flagn < 3,top\n{print flagn}", "3"}, {"!jump b\nA\na: b: said", "said"},
        {"A\n!stop\nB", "A"}, {"!jump nowhere\nA", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Say(c.script), c.said) << c.script;
    // The default separator is "\r\n".
    CInstance* npc = CreateInstance(0, 0, 0, oNPC);
    Assign(Var(npc, SLOT_script), Value("A\r\n!jump z\r\nB\r\nz: C"));
    event_user(npc, npc, 0);
    EXPECT_EQ(Converse(npc), "A|C");
    EXPECT_TRUE(errors.Empty()) << errors.Messages()[0];
}

TEST_F(TextCommandTest, SetWritesTheSpeakerGlobalsInstancesAndEveryInstanceOfAnObject) {
    RuntimeErrorCapture errors;
    CInstance* other = MakeSpeaker("");
    CInstance* npc =
        MakeSpeaker("!set flagmet,1\n!set global.can_duck,flagmet+1\n!set oNPC.heard,'yes'\n!set " +
                    std::to_string(other->id) + ".extra,7");
    Converse(npc);
    EXPECT_EQ(InstanceValue(npc, "flagmet"), "1");
    EXPECT_EQ(GlobalNumber("can_duck"), 2);
    for (CInstance* speaker : {npc, other})
        EXPECT_EQ(InstanceValue(speaker, "heard"), "yes");
    EXPECT_EQ(InstanceValue(other, "extra"), "7");
    EXPECT_EQ(InstanceValue(npc, "extra"), "undefined");
    EXPECT_TRUE(errors.Empty()) << errors.Messages()[0];
}

TEST_F(TextCommandTest, InlineCommandsEditTheTextAndFillTheBox) {
    RuntimeErrorCapture errors;
    CInstance* box = MakeSpeaker("!set s,'{print 1}'");
    Converse(box);
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"{print 1+1} apples", "2 apples"}, {"\xc3\xa9 {print 1}!", "\xc3\xa9 1!"},
        {"a\\nb\\\\n\\x", "a\nb\\n\\x"}, {"{print s}{print s}", "{print 1}{print 1}"},
        {"{ask yes no}Well?", "Well?"}, {"r\xc3\xa9" "d {color 255}word", "r\xc3\xa9" "d word"}, {"{} {shrug}", " "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyTextCommands(box, c.text), c.shown) << c.text;
    const Value questions = Var(box, SLOT_questions);
    EXPECT_EQ(Real(Call(box, box, FN_ds_list_size, questions)), 2);
    EXPECT_EQ(ValueText(Call(box, box, FN_ds_list_find_value, questions, Value(1))), "no");
    Value effect = Call(box, box, FN_ds_map_find_value, Var(box, SLOT_effects), Value(5));
    EXPECT_EQ(ValueText(Element(effect, 0)) + " " + ValueText(Element(effect, 1)), "0 255");
    EXPECT_TRUE(errors.Empty()) << errors.Messages()[0];
    RemoveSpeaker(box);
}

TEST_F(TextCommandTest, EachFatalErrorIsReportedOnceAndNothingLeaks) {
    CInstance* npc = MakeSpeaker("!set n,1");
    const double lines = Real(Var(npc, SLOT_lines));
    const std::string free_ids = FreeIds();
    VariableGlobalSet("long", Value(std::string(40000, 'a')));
    const struct {
        std::string expression, message;
    } cases[] = {
        {"1 # 2", "Unknown token # encountered in conditional."},
        {"(1 + 2", "Unmatched parentheses in conditional."},
        {"1 + 2)", "Unmatched parentheses in conditional."},
        {"nope + 1", "Undefined variable nope encountered in expression."},
        {"oInput.nope", "Undefined variable oInput.nope encountered in expression."},
        {"global.long + global.long", "Text too long in expression."},
    };
    for (const auto& c : cases) {
        RuntimeErrorCapture errors;
        Evaluate(npc, c.expression);
        EXPECT_EQ(errors.Messages(), std::vector<std::string>{c.message}) << c.expression;
    }
    {
        RuntimeErrorCapture errors;
        EXPECT_EQ(ApplyTextCommands(npc, "a {print 1"), "a {print 1");
        EXPECT_EQ(errors.Messages(),
                  std::vector<std::string>{"Text command syntax error in a {print 1"});
    }
    // Preparing again replaces the lines in place of adding more.
    event_user(npc, npc, 0);
    EXPECT_EQ(Real(Var(npc, SLOT_lines)), lines);
    EXPECT_EQ(FreeIds(), free_ids);
    RemoveSpeaker(npc);
}

TEST_F(TextCommandTest, ScriptExecuteArrayPassesUpToSixteenArguments) {
    RuntimeErrorCapture errors;
    const Value script = Call(nullptr, nullptr, FN_asset_get_index, Value("list_create"));
    Value arguments;
    for (int count = 0; count <= 17; ++count) {
        if (count > 0) AssignElement(arguments, count - 1, Value(count * 10));
        const Value list =
            CallScript(psl_Script_script_execute_array, nullptr, nullptr, script, arguments);
        if (count == 17) break;
        ASSERT_EQ(Real(Call(nullptr, nullptr, FN_ds_list_size, list)), count);
        if (count > 0) {
            EXPECT_EQ(Real(Call(nullptr, nullptr, FN_ds_list_find_value, list, Value(count - 1))),
                      count * 10);
        }
        Call(nullptr, nullptr, FN_ds_list_destroy, list);
    }
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{"17 arguments passed to script_execute_array"});
}

} // namespace
