// Characters, speech boxes, presents and the text command language they speak, on the game's own
// package.
#include <string>
#include <vector>

#include "GameFixture.h"
#include "TextScript.h"

namespace {

class DialogueTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartInAnEmptyRoom(true);
        Put(player_, 300, 160);
        RunFrames(1);
    }

    // A character at (x, y) with a script of lines separated by "\n", prepared as at Room Start.
    static CInstance* Speaker(const std::string& script, int32_t object = oNPC, double x = 60, double y = 152) {
        CInstance* npc = Place(object, x, y);
        Assign(Var(npc, SLOT_nl), Value("\n"));
        Assign(Var(npc, SLOT_script), Value(script));
        event_user(npc, npc, 0);
        return npc;
    }
    // A box laid out with the text over (x, y), without a speaker.
    static CInstance* Box(const std::string& text, double max_width = -1, double x = 160, double y = 120) {
        CInstance* box = Place(oTextbox, x, y);
        Assign(Var(box, SLOT_text), Value(text));
        if (max_width > 0) Assign(Var(box, SLOT_max_width), Value(max_width));
        event_user(box, box, 1);
        return box;
    }
    static void Talk(CInstance* npc) { event_user(npc, npc, 1); }
    static CInstance* BoxOf(CInstance* npc) {
        const Value box = Var(npc, SLOT_textbox);
        return Real(Builtin("instance_exists", box)) ? FindInstanceById(int32_t(Real(box))) : nullptr;
    }
    static std::string Text(CInstance* instance, int32_t slot) { return ValueText(Var(instance, slot)); }
};

TEST_F(DialogueTest, ABoxTypesACharacterAFrameBreaksWhereItWrapsAndClosesAfterItsTime) {
    Builtin("draw_set_font", GlobalValue("neco_font"));
    const double fits = Real(Builtin("string_width", Value("Hi ")));
    CInstance* box = Box("Hi there", fits + 12); // "there" goes to a second line
    RunFrames(3);
    EXPECT_EQ(Text(box, SLOT_prefix), "Hi ");
    RunFrames(4);
    EXPECT_EQ(Text(box, SLOT_prefix), "Hi \nther");
    EXPECT_EQ(Get(box, SLOT_finished), 0);
    RunFrames(1);
    EXPECT_EQ(Text(box, SLOT_prefix), "Hi \nthere");
    EXPECT_EQ(Get(box, SLOT_finished), 1);
    const int time = int(Get(box, SLOT_time));
    EXPECT_EQ(time, 180);
    RunFrames(time - 1);
    EXPECT_EQ(Count(oTextbox), 1);
    RunFrames(1);
    EXPECT_EQ(Count(oTextbox), 0);
}

TEST_F(DialogueTest, LayoutRunsCommandsWrapsWithinTheViewAndMovesOffOpenBoxes) {
    CInstance* box = Box("  {color 255}Red {print 1+1} apples");
    EXPECT_EQ(Text(box, SLOT_text), "Red 2 apples");
    Value red = Builtin("ds_map_find_value", Var(box, SLOT_effects), Value(1)); // moved with the trimmed text
    EXPECT_EQ(Real(Element(red, 1)), 255);

    std::string long_text;
    while (long_text.size() < 200) long_text += "snowflakes fall on the quiet valley ";
    // Over a speaker at the view's left edge, clear of the first box (which would push it too),
    // the wide box is pushed back inside.
    CInstance* wide = Box(long_text, -1, 4, 60);
    event_user(wide, wide, 0);
    const double view_x = Real(Builtin("camera_get_view_x", BuiltinVar(wide, VAR_view_camera, 0)));
    const double view_y = Real(Builtin("camera_get_view_y", BuiltinVar(wide, VAR_view_camera, 0)));
    EXPECT_GE(Get(wide, SLOT_bx1), view_x);
    EXPECT_LE(Get(wide, SLOT_bx2), view_x + 320);
    EXPECT_GE(Get(wide, SLOT_by1), view_y);
    Builtin("draw_set_font", GlobalValue("neco_font"));
    const std::string shown = Text(wide, SLOT_prefix);
    int lines = 0;
    for (size_t start = 0; start <= shown.size(); ++lines) {
        const size_t end = std::min(shown.find('\n', start), shown.size());
        const std::string line = shown.substr(start, end - start);
        EXPECT_LE(Real(Builtin("string_width", Value(line.substr(0, line.find_last_not_of(' ') + 1)))), 320 - 2 * 6);
        start = end + 1;
    }
    EXPECT_GT(lines, 1);
    EXPECT_EQ(Get(wide, SLOT_height), lines * Real(Builtin("string_height", Value("M"))));

    // A second box over the same spot sits clear of the first.
    CInstance* first = Box("Hello");
    CInstance* second = Box("Hello again");
    EXPECT_FALSE(CallScript(psl_Script_intersect_rect, first, first, Var(first, SLOT_bx1), Var(first, SLOT_by1),
                            Var(first, SLOT_bx2), Var(first, SLOT_by2), Var(second, SLOT_bx1), Var(second, SLOT_by1),
                            Var(second, SLOT_bx2), Var(second, SLOT_by2)));
}

TEST_F(DialogueTest, AnAdvanceFinishesTypingAQuestionWaitsForItsAnswerAndTheScriptReadsIt) {
    CInstance* npc = Speaker("Which? {ask yes no}\n!jumpe 'said' + answer\nsaid0: Good.\n!stop\nsaid1: Too bad.");
    Talk(npc);
    CInstance* box = BoxOf(npc);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(box, SLOT_prefix), "");
    Talk(npc); // still typing: it is finished, and nothing more
    EXPECT_EQ(BoxOf(npc), box);
    EXPECT_EQ(Text(box, SLOT_prefix), "Which?");
    // A question holds its box past its time, advances and all, until it is answered.
    RunFrames(int(Get(box, SLOT_time)) + 40);
    EXPECT_EQ(BoxOf(npc), box);

    // From none Left picks the last answer; the cursor wraps both ways (from none, Right picks
    // the first: the snow person's recording).
    Tap(vk_left);
    EXPECT_EQ(Get(box, SLOT_answer), 1);
    Tap(vk_left, 2);
    EXPECT_EQ(Get(box, SLOT_answer), 1);
    Tap(vk_right);
    EXPECT_EQ(Get(box, SLOT_answer), 0);
    Tap(vk_left); // "no"
    Talk(npc);
    EXPECT_EQ(Get(npc, SLOT_answer), 1);
    ASSERT_NE(BoxOf(npc), nullptr);
    EXPECT_NE(BoxOf(npc), box);
    EXPECT_EQ(Text(BoxOf(npc), SLOT_text), "Too bad.");

    // From here the character's alarm advances by itself: the box closes and the talk ends.
    RunFrames(int(Get(npc, SLOT_talking_time)));
    EXPECT_EQ(Count(oTextbox), 0);
    EXPECT_EQ(Get(npc, SLOT_talking), 0);
}

TEST_F(DialogueTest, ScriptsWithNothingToSayOpenNoBoxAndALoopStopsTheGame) {
    Talk(Speaker("!set global.met, 1\n!set global.gift, global.met + 1"));
    Talk(Speaker(""));
    EXPECT_EQ(Count(oTextbox), 0);
    EXPECT_EQ(GlobalNumber("gift"), 2);

    Builtin("variable_global_set", Value("laps"), Value(0));
    RuntimeErrorCapture errors;
    Talk(Speaker("top: !set global.laps, global.laps + 1\n!jump top"));
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Text command script runs in a loop without a line to say: "
                                                          "top: !set global.laps, global.laps + 1\n!jump top"});
    EXPECT_GT(GlobalNumber("laps"), 100);
    EXPECT_LT(GlobalNumber("laps"), 1e5);
}

TEST_F(DialogueTest, WalkingUpToACharacterStartsItsTalkOnce) {
    CInstance* npc = Speaker("Merry Snowtide!", oSnowfolk, 300);
    RunFrames(1);
    EXPECT_EQ(Get(npc, SLOT_talking), 1);
    Talk(npc);
    Talk(npc); // finished and closed: the talk is over while Mireth still stands there
    RunFrames(5);
    EXPECT_EQ(Get(npc, SLOT_talking), 0);
    EXPECT_EQ(Count(oTextbox), 0);
}

// A great present closes the open boxes and holds the world until its own closes (the small
// presents, their keys, flags and hearts are walked by the recordings).
TEST_F(DialogueTest, AGreatPresentClosesTheBoxesAndHoldsTheWorldWhileItSpeaks) {
    Talk(Speaker("Hello"));
    ASSERT_EQ(Count(oTextbox), 1);
    CInstance* slime = Place(oSlimey, 200, 100);
    CInstance* mega = Speaker("The first great present!", oMegaPresent, 140);
    Stomp(player_, mega);
    EXPECT_EQ(GlobalNumber("megapresent"), 1);
    EXPECT_EQ(Count(oTextbox), 1);
    EXPECT_EQ(Text(FirstOf(oTextbox), SLOT_text), "The first great present!");
    EXPECT_NE(ReadSaveFile("save.fluffy").find("\"megapresent\":1"), std::string::npos);
    EXPECT_EQ(Get(player_, SLOT_pause), 1);
    EXPECT_EQ(Get(slime, SLOT_pause), 1);
    RunFrames(24 + 180);
    EXPECT_EQ(Count(oTextbox), 0);
    EXPECT_EQ(Get(player_, SLOT_pause), 0);
    EXPECT_EQ(Get(slime, SLOT_pause), 0);
}

// The text command language; most cases are in data/text_commands.txt.
class TextCommandTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Start(3); // on to the title, where no room change holds back events
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
    const auto cases = TableRows(std::string(TEST_SOURCE_DIR) + "/game/data/text_commands.txt");
    ASSERT_FALSE(cases.empty());
    for (const std::vector<std::string>& c : cases) {
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
