// Start-up, the three save files, the window scale and the pause menu that changes them, on the
// game's own package.
#include <array>

#include "GameFixture.h"
#include "IO/StateDigest.h"
#include "scripts/InputBinding.h"

namespace {

using SaveOptionsTest = GameFixture;

// A first start on a 1366 x 768 display: the defaults, the title, and the window at the largest
// scale that fits, centred.
TEST_F(SaveOptionsTest, AFirstStartUsesDefaultsAndOpensTheLargestWindowCentredOnTheDisplay) {
    window_.display_width = 1366;
    window_.display_height = 768;
    Start(12); // past the graphics reset that follows a size change
    EXPECT_EQ(Runner().current_room, rmTitle);
    EXPECT_EQ(GlobalNumber("view_width"), 320);
    EXPECT_EQ(GlobalNumber("max_scale"), 4);
    EXPECT_EQ(GlobalNumber("scale"), 4);
    EXPECT_EQ(GlobalNumber("char_room"), rmTitle);
    EXPECT_EQ(GlobalNumber("char_max_hp"), 1);
    for (const char* font : {"mireth_font", "mireth_font_bold", "mireth_font_bold_2x", "neco_font"})
        EXPECT_GE(GlobalNumber(font), 0) << font;
    int x = 0, y = 0, width = 0, height = 0;
    window_.ClientSize(width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(1280, 720));
    window_.OuterRect(x, y, width, height);
    EXPECT_EQ((std::array{x, y, width, height}), (std::array{(1366 - 1280) / 2, (768 - 720) / 2, 1280, 720}));
    EXPECT_EQ(Bindings(0), "0:38 0:87 2:32781 3:32786:-1 3:32788:-1 4:0:1");
    EXPECT_EQ(Bindings(4), "0:38 0:32 0:17 0:90 0:67 0:88 2:32769");
    EXPECT_EQ(Bindings(5), "0:17 2:32770");
    EXPECT_FALSE(SaveFileExists("save.fluffy"));
}

// Options are read at start, saved with the bindings in their order and read back; the scale never
// exceeds what the display holds.
TEST_F(SaveOptionsTest, OptionsAndBindingsAreSavedAndRestoredAndTheScaleFitsTheDisplay) {
    WriteSaveFile("options.fluffy", R"({"scale":8,"volume":0.5})");
    Start();
    EXPECT_EQ(GlobalNumber("scale"), 6);
    EXPECT_EQ(GlobalNumber("volume"), 0.5);
    CInstance* input = FirstOf(oInput);
    const Value bindings = Call(input, input, FN_ds_map_find_value, Var(input, SLOT_actions), Value("0"));
    Call(input, input, FN_ds_list_clear, bindings);
    Run(psl_Script_input_assign_key, 0, 'Q');
    Run(psl_Script_input_assign_gamepad_axis, 0, gp_axislv, 1);
    Run(psl_Script_input_assign_wait, 0); // never saved
    Run(psl_Script_input_assign_gamepad_hat, 0, 0, 8);
    Run(psl_Script_save_options);

    const std::string file = ReadSaveFile("options.fluffy");
    for (const char* entry : {R"("Action_0_Kind_0":"Key")", R"("Action_0_Input_0":81)", R"("Action_0_Axis_0":0)",
                              R"("Action_0_Kind_1":"GamepadAxis")", R"("Action_0_Axis_1":1)",
                              R"("Action_0_Kind_2":"GamepadHat")", R"("Action_0_Axis_2":8)", R"("scale":6)"})
        EXPECT_NE(file.find(entry), std::string::npos) << entry << " in " << file;
    EXPECT_EQ(file.find("Action_0_Kind_3"), std::string::npos);

    Run(psl_Script_input_assign_key, 0, 'P');
    Run(psl_Script_input_assign_key, 4, 'P');
    Run(psl_Script_load_options);
    EXPECT_EQ(Bindings(0), "0:81 3:32786:1 4:0:8");
    EXPECT_EQ(Bindings(4), "0:38 0:32 0:17 0:90 0:67 0:88 2:32769");

    window_.display_width = 1000;
    window_.display_height = 600;
    EXPECT_EQ(Real(Run(psl_Script_compute_max_scale)), 3);
    Run(psl_Script_window_set_scale, 4); // does not fit: nothing changes
    EXPECT_EQ(GlobalNumber("scale"), 6);
    Run(psl_Script_window_max_scale);
    EXPECT_EQ(GlobalNumber("scale"), 3);
    window_.display_width = 200;
    EXPECT_EQ(Real(Run(psl_Script_compute_max_scale)), 1);
}

TEST_F(SaveOptionsTest, ProgressAndPresentsSurviveARestart) {
    Start();
    VariableGlobalSet("char_max_hp", RealValue(3));
    VariableGlobalSet("can_duck", RealValue(1));
    VariableGlobalSet("char_room", RealValue(rmSnow));
    CInstance* input = FirstOf(oInput);
    for (const char* key : {"got32_48_rmSnow", "got64_48_rmSnow"}) {
        Call(input, input, FN_ds_list_add, Global(SLOT_present_list), Value(key));
        VariableGlobalSet(key, RealValue(key[3] == '3'));
    }
    Run(psl_Script_save_game);
    EXPECT_EQ(ReadSaveFile("presence.fluffy"), "got32_48_rmSnow\ngot64_48_rmSnow\n");

    // A new game on the same files: oInit's start, then the saved room.
    Restart();
    Start(3);
    EXPECT_EQ(GlobalNumber("char_max_hp"), 3);
    EXPECT_EQ(GlobalNumber("can_duck"), 1);
    EXPECT_EQ(GlobalNumber("got32_48_rmSnow"), 1);
    EXPECT_EQ(GlobalNumber("got64_48_rmSnow"), 0);
    EXPECT_EQ(Runner().current_room, rmSnow);
}

// Files that are no JSON, or valid files with one member of the wrong kind or out of range, or a
// line that is no present's key: each file is kept aside whole and nothing of it is read.
TEST_F(SaveOptionsTest, DamagedOrHandEditedFilesFallBackToDefaultsAndAreKept) {
    const std::string room_past_last = R"({"hi":1,"char_room":)" + std::to_string(kRoomCount) + "}";
    const std::map<std::string, std::string> rounds[] = {
        {{"save.fluffy", R"({"char_max_hp": 4, "char_room")"}, {"options.fluffy", "not json\nsecond line"}},
        {{"save.fluffy", room_past_last},
         {"options.fluffy", R"({"volume":0.5,"scale":0})"},
         {"presence.fluffy", "got32_48_rmSnow\nhello"}},
        {{"save.fluffy", R"({"hi":1,"char_max_hp":-2})"},
         {"options.fluffy", R"({"volume":0.5,"Action_1_Kind_0":"Key","Action_1_Input_0":"x","Action_1_Axis_0":0})"}},
        {{"save.fluffy", R"({"hi":"yes"})"}, {"options.fluffy", R"({"volume":0.5,"fullscreen":0.5})"}},
        {{"save.fluffy", R"({"hi":1,"megapresent":4})"}, {"options.fluffy", R"({"volume":0.5,"pause_when_away":2})"}},
    };
    for (const auto& round : rounds) {
        Restart();
        for (const auto& [name, text] : round) WriteSaveFile(name, text);
        Start(3);
        for (const auto& [name, text] : round) EXPECT_EQ(ReadSaveFile(name + ".damaged"), text);
        EXPECT_EQ(GlobalNumber("hi"), 0) << round.at("save.fluffy");
        EXPECT_EQ(GlobalNumber("char_max_hp"), 1);
        EXPECT_EQ(GlobalNumber("volume"), 1) << round.at("options.fluffy");
        EXPECT_EQ(Runner().current_room, rmTitle);
        EXPECT_EQ(Bindings(1), "0:40 0:83 2:32782 3:32786:1 3:32788:1 4:0:4");
    }
}

// The pause menu, driven by keys.
class PauseMenuTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartInAnEmptyRoom();
        menu_ = FirstOf(oPauseMenu);
        ASSERT_NE(menu_, nullptr);
    }
    bool Open() { return bool(Value(Var(menu_, SLOT_open))); }
    CInstance* menu_ = nullptr;
};

TEST_F(PauseMenuTest, EscapeOrLosingTheFocusPausesAndSettingsChangeWithLeftAndRightAndAreSavedAtOnce) {
    CInstance* player = FirstOf(oChar);
    window_.PostFocusLost();
    RunFrames(2);
    EXPECT_TRUE(Open());
    Tap(vk_escape);
    EXPECT_FALSE(Open());
    Tap(vk_escape);
    EXPECT_TRUE(Open());
    EXPECT_EQ(Get(player, SLOT_pause), 1);
    const double y = Get(player, VAR_y);
    RunFrames(10);
    EXPECT_EQ(Get(player, VAR_y), y); // no gravity while paused
    Tap(vk_down); // volume
    Tap(vk_left);
    EXPECT_DOUBLE_EQ(GlobalNumber("volume"), 0.9);
    EXPECT_NE(ReadSaveFile("options.fluffy").find("\"volume\":0.9"), std::string::npos) << ReadSaveFile("options.fluffy");
    Tap(vk_down); // window scale
    Tap(vk_left);
    EXPECT_EQ(GlobalNumber("scale"), 5);
    int width = 0, height = 0;
    window_.ClientSize(width, height);
    EXPECT_EQ(width, 1600);
    Tap(vk_down); // full screen
    Tap(vk_enter);
    EXPECT_TRUE(window_.FullScreen());
    EXPECT_NE(ReadSaveFile("options.fluffy").find("\"fullscreen\":1"), std::string::npos);
    Tap(vk_down); // pause when away
    Tap(vk_enter);
    EXPECT_NE(ReadSaveFile("options.fluffy").find("\"pause_when_away\":0"), std::string::npos);
    Tap(vk_escape);
    EXPECT_FALSE(Open());
    EXPECT_EQ(Get(player, SLOT_pause), 0);
    window_.PostFocusLost();
    RunFrames(2);
    EXPECT_FALSE(Open());
}

TEST_F(PauseMenuTest, AnActionIsReboundToTheNextKeyPressed) {
    const int32_t pad = pads_.AttachStandard();
    RunFrames(2);
    Tap(vk_escape);
    Tap(vk_down, 5);
    Tap(vk_enter); // the controls page
    Tap(vk_down, 4);
    Tap(vk_enter); // jump waits
    EXPECT_EQ(Get(menu_, SLOT_capturing), 4);
    // A gamepad pulled out meanwhile changes nothing: the action still waits for a key.
    RuntimeErrorCapture errors;
    pads_.Detach(pad);
    RunFrames(5);
    EXPECT_TRUE(errors.Empty());
    EXPECT_EQ(Get(menu_, SLOT_capturing), 4);
    Tap('J');
    EXPECT_EQ(Bindings(4), "2:32769 0:74"); // the keys replaced, the button kept
    EXPECT_EQ(Get(menu_, SLOT_capturing), -1);
    // Saved at once: the gamepad button, then the new key in the slot that waited; nothing else.
    const std::string saved = ReadSaveFile("options.fluffy");
    EXPECT_NE(saved.find("\"Action_4_Input_0\":32769"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"Action_4_Input_1\":74"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("Action_4_Input_2"), std::string::npos) << saved;

    // Escape while waiting keeps what was there; "Reset to defaults" brings the defaults back.
    Tap(vk_enter);
    Tap(vk_escape);
    EXPECT_EQ(Bindings(4), "2:32769 0:74");
    Tap(vk_down, 2);
    Tap(vk_enter);
    EXPECT_EQ(Bindings(4), "0:38 0:32 0:17 0:90 0:67 0:88 2:32769");
    EXPECT_EQ(Bindings(0), "0:38 0:87 2:32781 3:32786:-1 3:32788:-1 4:0:1");
}

// A focus loss is part of a recording; the player's own during a replay changes nothing.
TEST_F(PauseMenuTest, AFocusLossIsRecordedAndReplayedAndOneDuringAReplayIsIgnored) {
    TempFolder recordings;
    TearDown();
    save_.Empty();
    record_ = recordings.Path() + "away.rec";
    SetUp();
    RunFrames(5);
    window_.PostFocusLost();
    RunFrames(2);
    ASSERT_TRUE(Open());
    Tap(vk_escape);
    RunFrames(3);
    ASSERT_FALSE(Open());
    const uint64_t recorded = GameStateDigest();

    TearDown();
    save_.Empty();
    record_.clear();
    playback_ = recordings.Path() + "away.rec";
    SetUp();
    window_.PostFocusLost();
    RunFrames(5);
    EXPECT_FALSE(Open());
    RunFrames(2);
    EXPECT_TRUE(Open());
    RunFrames(5);
    EXPECT_FALSE(Open());
    EXPECT_TRUE(RunnerReplay().Finished());
    EXPECT_EQ(GameStateDigest(), recorded);
}

} // namespace
