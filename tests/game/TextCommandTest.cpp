// The text command language on the game's own package; most cases are in data/text_commands.txt.
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
    static std::string Lines(std::string text) {
        for (char& c : text) c = c == '|' ? '\n' : c;
        return text;
    }
};

TEST_F(TextCommandTest, EveryCaseGivesItsResultAndNothingLeaks) {
    CInstance* npc = MakeSpeaker("!set n,1\n!set s,'{print 1}'");
    Converse(npc);
    const double lines = Get(npc, SLOT_lines);
    const std::string free_ids = FreeIds();
    VariableGlobalSet("coins", RealValue(4));
    VariableGlobalSet("long", Value(std::string(40000, 'a')));
    for (const std::vector<std::string>& c : Cases("text_commands.txt")) {
        ASSERT_EQ(c.size(), 3u) << c[0];
        const std::string& kind = c[0];
        RuntimeErrorCapture errors;
        if (kind == "error") {
            Evaluate(npc, c[1]);
            EXPECT_EQ(errors.Messages(), std::vector<std::string>{c[2]}) << c[1];
            continue;
        }
        ASSERT_TRUE(kind == "value" || kind == "says" || kind == "shows") << kind;
        const std::string got =
            kind == "value" ? Evaluate(npc, c[1]) : kind == "says" ? Say(Lines(c[1])) : ApplyTextCommands(npc, c[1]);
        EXPECT_EQ(got, kind == "shows" ? Lines(c[2]) : c[2]) << kind << " " << c[1];
        EXPECT_TRUE(errors.Empty()) << c[1] << ": " << errors.Messages()[0];
    }
    EXPECT_EQ(Evaluate(npc, std::to_string(npc->id) + ".n + 1"), "2");
    // What the inline commands filled in: the answers asked for and the colour at its place.
    const Value questions = Var(npc, SLOT_questions);
    EXPECT_EQ(Real(Call(npc, npc, FN_ds_list_size, questions)), 2);
    EXPECT_EQ(ValueText(Call(npc, npc, FN_ds_list_find_value, questions, Value(1))), "no");
    Value effect = Call(npc, npc, FN_ds_map_find_value, Var(npc, SLOT_effects), Value(5));
    EXPECT_EQ(ValueText(Element(effect, 0)) + " " + ValueText(Element(effect, 1)), "0 255");
    {
        RuntimeErrorCapture errors;
        EXPECT_EQ(ApplyTextCommands(npc, "a {print 1"), "a {print 1");
        EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Text command syntax error in a {print 1"});
    }
    // Preparing again replaces the lines in place of adding more.
    event_user(npc, npc, 0);
    EXPECT_EQ(Get(npc, SLOT_lines), lines);
    EXPECT_EQ(FreeIds(), free_ids);
    RemoveSpeaker(npc);
}

TEST_F(TextCommandTest, TheDefaultSeparatorIsCrLf) {
    RuntimeErrorCapture errors;
    CInstance* npc = CreateInstance(0, 0, 0, oNPC);
    Assign(Var(npc, SLOT_script), Value("A\r\n!jump z\r\nB\r\nz: C"));
    event_user(npc, npc, 0);
    EXPECT_EQ(Converse(npc), "A|C");
    EXPECT_TRUE(errors.Empty()) << errors.Messages()[0];
}

TEST_F(TextCommandTest, SetWritesTheSpeakerGlobalsInstancesAndEveryInstanceOfAnObject) {
    RuntimeErrorCapture errors;
    CInstance* other = MakeSpeaker("");
    CInstance* npc = MakeSpeaker("!set flagmet,1\n!set global.can_duck,flagmet+1\n!set oNPC.heard,'yes'\n!set " +
                                 std::to_string(other->id) + ".extra,7");
    Converse(npc);
    EXPECT_EQ(InstanceValue(npc, "flagmet"), "1");
    EXPECT_EQ(GlobalNumber("can_duck"), 2);
    for (CInstance* speaker : {npc, other}) EXPECT_EQ(InstanceValue(speaker, "heard"), "yes");
    EXPECT_EQ(InstanceValue(other, "extra"), "7");
    EXPECT_EQ(InstanceValue(npc, "extra"), "undefined");
    EXPECT_TRUE(errors.Empty()) << errors.Messages()[0];
}

TEST_F(TextCommandTest, ScriptExecuteArrayPassesUpToSixteenArguments) {
    RuntimeErrorCapture errors;
    const Value script = Call(nullptr, nullptr, FN_asset_get_index, Value("list_create"));
    Value arguments;
    for (int count = 0; count <= 17; ++count) {
        if (count > 0) AssignElement(arguments, count - 1, Value(count * 10));
        const Value list = CallScript(psl_Script_script_execute_array, nullptr, nullptr, script, arguments);
        if (count == 17) break;
        ASSERT_EQ(Real(Call(nullptr, nullptr, FN_ds_list_size, list)), count);
        if (count > 0) {
            EXPECT_EQ(Real(Call(nullptr, nullptr, FN_ds_list_find_value, list, Value(count - 1))), count * 10);
        }
        Call(nullptr, nullptr, FN_ds_list_destroy, list);
    }
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"17 arguments passed to script_execute_array"});
}

} // namespace
