// The pause menu, driven by keys.
#include "GameFixture.h"
#include "IO/StateDigest.h"

namespace {

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
