// Mireth on blocks, spikes and slimes placed in an empty room, moved by keys posted to the window.
#include <cmath>
#include <string>

#include "GameFixture.h"

namespace {

class PlayerTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartInAnEmptyRoom();
        player_ = FirstOf(oChar);
        ASSERT_NE(player_, nullptr);
        Place(oSnowBlock, 0, 160, 20, 2); // the floor: its top is y = 160
        PutPlayer(100, 160);
    }

    void PutPlayer(double x, double y) {
        SetBuiltinVar(player_, VAR_x, Value(x));
        SetBuiltinVar(player_, VAR_y, Value(y));
        for (int32_t slot : {SLOT_hv, SLOT_vv, SLOT_jump_buffer_timer, SLOT_walkoff_timer})
            Assign(Var(player_, slot), Value(0));
    }
    void Key(int32_t key, bool down) { window_.PostKey(key, down); }
    // Holds a key for `frames` frames and lets go (read as let go on the next frame).
    void Press(int32_t key, int frames = 1) {
        Key(key, true);
        RunFrames(frames);
        Key(key, false);
    }
    double X() const { return Get(player_, VAR_x); }
    double Y() const { return Get(player_, VAR_y); }
    double Hv() const { return Get(player_, SLOT_hv); }
    double Vv() const { return Get(player_, SLOT_vv); }
    double Move(double amount, int axis) {
        const double before = axis == 0 ? X() : Y();
        CallScript(psl_Script_move, player_, player_, Value(amount), Value(axis));
        return (axis == 0 ? X() : Y()) - before;
    }
    // Steps until the player stands on the ground again, at most `limit`; the steps taken.
    int FallToGround(int limit = 120) {
        for (int step = 1; step <= limit; ++step) {
            RunFrames(1);
            if (Value(Var(player_, SLOT_ong)) && Vv() == 0) return step;
        }
        return -1;
    }

    CInstance* player_ = nullptr;
};

TEST_F(PlayerTest, MovesKeepFractionsForLaterAndStopAtBlocks) {
    PutPlayer(100, 100);
    Value zero;
    AssignElement(zero, 1, Value(0));
    AssignElement(zero, 0, Value(0));
    Assign(Var(player_, SLOT_remainder), zero);
    EXPECT_EQ(Move(0.4, 0), 0);
    EXPECT_EQ(Move(0.4, 0), 1); // 0.8 rounds to 1, leaving -0.2
    EXPECT_EQ(Move(0.4, 0), 0);
    Assign(Var(player_, SLOT_remainder), zero);
    EXPECT_EQ(Move(0.5, 0), 0); // halves go down
    EXPECT_EQ(Move(30, 0), 12); // at most 12 pixels a call
    // Down onto the floor: stopped with its feet on it, and told so.
    PutPlayer(100, 150);
    EXPECT_EQ(Move(12, 1), 10);
    EXPECT_FALSE(CallScript(psl_Script_move, player_, player_, Value(1), Value(1)));
    EXPECT_TRUE(CallScript(psl_Script_on_ground, player_, player_));
}

TEST_F(PlayerTest, WalkingSpeedsUpToThreeAndFrictionStopsInEightSteps) {
    Key(vk_right, true);
    std::vector<double> speeds;
    for (int step = 0; step < 10; ++step) {
        RunFrames(1);
        speeds.push_back(Hv());
    }
    EXPECT_EQ(speeds, (std::vector<double>{0.375, 0.75, 1.125, 1.5, 1.875, 2.25, 2.625, 3, 3, 3}));
    EXPECT_EQ(Get(player_, VAR_image_xscale), 1);
    Key(vk_right, false);
    for (int step = 0; step < 7; ++step) RunFrames(1);
    EXPECT_EQ(Hv(), 0.375);
    RunFrames(1);
    EXPECT_EQ(Hv(), 0);

    // A push beyond the top speed is left to friction; at the top speed holding on keeps it.
    Key(vk_right, true);
    RunFrames(1);
    Assign(Var(player_, SLOT_hv), Value(5));
    RunFrames(1);
    EXPECT_EQ(Hv(), 4.625);
    Assign(Var(player_, SLOT_hv), Value(3));
    RunFrames(1);
    EXPECT_EQ(Hv(), 3);

    // Both directions held: the one pressed last wins; pressed together, left.
    Key(vk_left, true);
    RunFrames(1);
    EXPECT_LT(Hv(), 3);
    EXPECT_EQ(Get(player_, VAR_image_xscale), -1);
    Key(vk_left, false);
    Key(vk_right, false);
    for (int step = 0; step < 10; ++step) RunFrames(1);
    Key(vk_left, true);
    Key(vk_right, true);
    RunFrames(1);
    EXPECT_EQ(Hv(), -0.375);
}

// Letting go of jump while rising halves the speed once; a jump pressed just before landing or
// just after a ledge still counts.
TEST_F(PlayerTest, AJumpIsCutByLettingGoAndCountsJustBeforeLandingOrJustAfterALedge) {
    Key(vk_space, true);
    RunFrames(2);
    const double up = Vv();
    EXPECT_LT(up, -4);
    Key(vk_space, false);
    RunFrames(1);
    EXPECT_DOUBLE_EQ(Vv(), (up + 0.25) / 2);
    RunFrames(1);
    EXPECT_DOUBLE_EQ(Vv(), (up + 0.25) / 2 + 0.25);

    // Pressed two steps before the landing: the jump happens on landing.
    PutPlayer(100, 100);
    RunFrames(1);
    while (Y() + 2 * (Vv() + 0.75) < 160) RunFrames(1);
    Press(vk_space);
    int rising = 0;
    for (int step = 0; step < 4; ++step) {
        RunFrames(1);
        if (Vv() < 0) ++rising;
    }
    EXPECT_GT(rising, 0) << "the buffered jump never happened";

    // Pressed five steps before: forgotten by the landing.
    PutPlayer(100, 100);
    RunFrames(1);
    while (Y() + 5 * (Vv() + 1.5) < 160) RunFrames(1);
    Press(vk_space);
    EXPECT_GT(FallToGround(), 0);
    for (int step = 0; step < 4; ++step) RunFrames(1);
    EXPECT_EQ(Vv(), 0);

    // Off a ledge at full speed: a jump two steps later still counts.
    Place(oSnowBlock, 160, 112, 4, 1);
    for (int late : {2, 5}) {
        PutPlayer(210, 112);
        Assign(Var(player_, SLOT_ong), Value(1));
        Key(vk_right, true);
        while (X() - 6 < 224) RunFrames(1); // until the box has left the ledge
        for (int step = 1; step < late; ++step) RunFrames(1);
        Press(vk_space);
        Key(vk_right, false);
        if (late == 2) {
            EXPECT_LT(Vv(), 0) << "no jump " << late << " steps after the ledge";
        } else {
            EXPECT_GT(Vv(), 0) << "a jump " << late << " steps after the ledge";
        }
        FallToGround();
    }
}

TEST_F(PlayerTest, DuckingIsToggledAndMirethCannotStandUpUnderACeiling) {
    Key(vk_down, true);
    RunFrames(2);
    EXPECT_EQ(Get(player_, SLOT_duck), 0); // not granted yet
    Key(vk_down, false);
    VariableGlobalSet("can_duck", RealValue(1));
    RunFrames(1);
    Press(vk_down);
    EXPECT_EQ(Get(player_, SLOT_duck), 1);
    EXPECT_EQ(Get(player_, VAR_sprite_index), sMirethDuck);

    // Under a ceiling one cell above the floor, standing up is refused.
    Place(oSnowBlock, 80, 128, 3, 1);
    RunFrames(1);
    Press(vk_down);
    EXPECT_EQ(Get(player_, SLOT_duck), 0);
    EXPECT_EQ(Get(player_, VAR_mask_index), sMirethDuck);
    // Walked out from under it, she stands.
    Press(vk_right, 30);
    EXPECT_EQ(Get(player_, VAR_mask_index), sMirethMask);
    EXPECT_NE(Get(player_, VAR_sprite_index), sMirethDuck);
}

TEST_F(PlayerTest, LandingOnAMovingSlimeBeatsItAndBouncesMireth) {
    CInstance* slime = Place(oSlimey, 100, 140);
    Assign(Var(slime, SLOT_vamp), Value(4));
    Assign(Var(slime, SLOT_hamp), Value(0));
    PutPlayer(100, 90);
    double bounce = 0;
    for (int step = 0; step < 60 && !bounce; ++step) {
        RunFrames(1);
        if (Vv() < -3) bounce = Vv();
    }
    EXPECT_NEAR(bounce, -std::sqrt(2 * 0.25 * 24) + 0.25, 0.3);
    EXPECT_EQ(FirstOf(oSlimey), nullptr);
    EXPECT_EQ(Get(player_, SLOT_dead), 0);
}

TEST_F(PlayerTest, SpikesKillAndMirethReturnsToHerCheckpointWhole) {
    CInstance* checkpoint = Place(oCheckpoint, 40, 160);
    event_user(player_, player_, 0);
    EXPECT_EQ(Get(player_, SLOT_checkpoint), checkpoint->id);
    EXPECT_EQ(GlobalNumber("char_x"), 40);
    EXPECT_TRUE(SaveFileExists("save.fluffy"));
    VariableGlobalSet("char_max_hp", RealValue(2));
    Place(oSpike, 144, 144);
    Key(vk_right, true);
    int steps = 0;
    while (!Value(Var(player_, SLOT_dead)) && steps++ < 60) RunFrames(1);
    Key(vk_right, false);
    ASSERT_EQ(Get(player_, SLOT_dead), 1);
    EXPECT_EQ(Get(player_, VAR_visible), 0);
    EXPECT_NE(FirstOf(oStarOut), nullptr);
    steps = 0;
    while (Value(Var(player_, SLOT_dead)) && steps++ < 300) RunFrames(1);
    EXPECT_EQ(Get(player_, SLOT_dead), 0);
    EXPECT_EQ(X(), 40);
    EXPECT_EQ(Y(), 160);
    EXPECT_EQ(Get(player_, SLOT_hp), 2);
    EXPECT_EQ(Get(player_, VAR_visible), 1);
}

// After a hurt Mireth blinks: of every four frames of safety she shows two, then shows again.
TEST_F(PlayerTest, AnInvulnerableActorBlinksTwoFramesInFour) {
    Assign(Var(player_, SLOT_invuln), Value(9));
    std::string shown;
    for (int frame = 0; frame < 10; ++frame) {
        null_graphics_.draws.clear();
        psl_Object_oActor_Draw_0(player_, player_); // counts the safety down a frame
        graphics_->Flush();
        shown += null_graphics_.draws.empty() ? '.' : '#';
    }
    EXPECT_EQ(shown, "##..##..##");
}

TEST_F(PlayerTest, AnOpenRoomEdgeLeadsToTheScreenItsRecordNames) {
    CInstance* exits = Place(oExitControl, 0, 0);
    Value record;
    // Onto the pink world's second screen, which has no lantern to start a new game at.
    for (int i : {3, 2, 1, 0}) AssignElement(record, i, Value(i == 0 ? rmPink : i == 1 ? 1 : 0));
    CallScript(psl_Script_grid_set, exits, exits, Var(exits, SLOT_grid), Value(0), Value(0), record);
    PutPlayer(300, 160);
    Key(vk_right, true);
    int steps = 0;
    while (Runner().current_room == rmEmpty && steps++ < 60) RunFrames(1);
    Key(vk_right, false);
    EXPECT_EQ(Runner().current_room, rmPink);
    EXPECT_GE(X(), 320);
    EXPECT_LT(X(), 336);
    EXPECT_EQ(Y(), 160);

    // Without a record the edge is a wall.
    Call(nullptr, nullptr, FN_room_goto, Value(rmEmpty));
    RunFrames(1);
    Place(oSnowBlock, 0, 160, 20, 2);
    PutPlayer(300, 160);
    Key(vk_right, true);
    for (int step = 0; step < 30; ++step) RunFrames(1);
    EXPECT_EQ(Runner().current_room, rmEmpty);
    EXPECT_LE(Get(player_, VAR_bbox_right), 319);
}

} // namespace
