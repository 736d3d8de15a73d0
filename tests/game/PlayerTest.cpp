// Mireth and the enemies on blocks, spikes and slimes placed in an empty room, moved by keys posted
// to the window.
#include <cmath>
#include <string>

#include "GameFixture.h"

namespace {

class PlayerTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartInAnEmptyRoom(true);
        PutPlayer(100, 160);
    }

    void PutPlayer(double x, double y) {
        Put(player_, x, y);
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
    // Steps until the player stands on the ground again, at most 120; the steps taken, or -1.
    int FallToGround() {
        for (int step = 1; step <= 120; ++step) {
            RunFrames(1);
            if (Value(Var(player_, SLOT_ong)) && Vv() == 0) return step;
        }
        return -1;
    }
    // Frames run while `going` holds, at most `limit`.
    template <typename Going>
    void RunWhile(Going going, int limit) {
        for (int step = 0; going() && step < limit; ++step) RunFrames(1);
    }
};

TEST_F(PlayerTest, MovesKeepFractionsForLaterAndStopAtBlocks) {
    PutPlayer(100, 100);
    const Value zero = Builtin("array_create", Value(2), Value(0));
    Assign(Var(player_, SLOT_remainder), zero);
    // 0.8 rounds to 1, leaving -0.2
    EXPECT_EQ((std::vector{Move(0.4, 0), Move(0.4, 0), Move(0.4, 0)}), (std::vector<double>{0, 1, 0}));
    Assign(Var(player_, SLOT_remainder), zero);
    EXPECT_EQ(Move(0.5, 0), 0); // halves go down
    EXPECT_EQ(Move(30, 0), 12); // at most 12 pixels a call
    // Down onto the floor: stopped with its feet on it, and told so.
    PutPlayer(100, 150);
    EXPECT_EQ(Move(12, 1), 10);
    EXPECT_FALSE(CallScript(psl_Script_move, player_, player_, Value(1), Value(1)));
    EXPECT_TRUE(CallScript(psl_Script_on_ground, player_, player_));
}

// How she speeds up and slows down is pinned by the recordings' run digests; they never push her
// past the top speed, nor hold both ways.
TEST_F(PlayerTest, BeyondTheTopSpeedFrictionSlowsHerAndTheWayPressedLastWins) {
    Key(vk_right, true);
    RunFrames(1);
    EXPECT_EQ(Get(player_, VAR_image_xscale), 1);
    // A push beyond the top speed is left to friction; at the top speed holding on keeps it.
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
    RunFrames(10);
    Key(vk_left, true);
    Key(vk_right, true);
    RunFrames(1);
    EXPECT_EQ(Hv(), -0.375);
}

// A jump pressed just before landing or just after a ledge still counts (the jump and its cut
// are pinned by the recordings' run digests; their bots never press early or late).
TEST_F(PlayerTest, AJumpCountsJustBeforeLandingOrJustAfterALedge) {
    // Pressed two steps before the landing, the jump happens on landing; pressed five steps
    // before, it is forgotten by then.
    for (int early : {2, 5}) {
        PutPlayer(100, 100);
        RunFrames(1);
        while (Y() + early * (Vv() + (early + 1) * 0.25) < 160) RunFrames(1);
        Press(vk_space);
        const int landed = early == 5 ? FallToGround() : 0;
        int rising = 0;
        for (int step = 0; step < 4; ++step) RunFrames(1), rising += Vv() < 0;
        EXPECT_GE(landed, 0);
        EXPECT_EQ(rising > 0, early == 2) << "pressed " << early << " steps before landing";
        EXPECT_EQ(Vv() == 0, early == 5);
    }

    // Off a ledge at full speed: a jump three steps later still counts, four steps later not.
    Place(oSnowBlock, 160, 112, 4, 1);
    for (int late : {3, 4}) {
        PutPlayer(210, 112);
        Assign(Var(player_, SLOT_ong), Value(1));
        Key(vk_right, true);
        RunWhile([&] { return X() - 6 < 224; }, 100); // until the box has left the ledge
        RunFrames(late - 1);
        Press(vk_space);
        Key(vk_right, false);
        EXPECT_GT(late == 3 ? -Vv() : Vv(), 0) << "a jump " << late << " steps after the ledge";
        FallToGround();
    }
}

TEST_F(PlayerTest, DuckingIsToggledAndMirethCannotStandUpUnderACeiling) {
    Press(vk_down, 2);
    EXPECT_EQ(Get(player_, SLOT_duck), 0); // not granted yet
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
    RunWhile([&] { return Vv() >= -3; }, 60);
    EXPECT_NEAR(Vv(), -std::sqrt(2 * 0.25 * 24) + 0.25, 0.3);
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
    RunWhile([&] { return !Value(Var(player_, SLOT_dead)); }, 60);
    Key(vk_right, false);
    ASSERT_EQ(Get(player_, SLOT_dead), 1);
    EXPECT_EQ(Get(player_, VAR_visible), 0);
    EXPECT_NE(FirstOf(oStarOut), nullptr);
    RunWhile([&] { return bool(Value(Var(player_, SLOT_dead))); }, 300);
    EXPECT_EQ(Get(player_, SLOT_dead), 0);
    EXPECT_EQ(std::pair(X(), Y()), std::pair(40.0, 160.0));
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
    // Onto the pink world's second screen, which has no lantern to start a new game at.
    Value record;
    for (int i : {3, 2, 1, 0}) AssignElement(record, i, Value(i == 0 ? rmPink : i == 1 ? 1 : 0));
    CallScript(psl_Script_grid_set, exits, exits, Var(exits, SLOT_grid), Value(0), Value(0), record);
    PutPlayer(300, 160);
    Key(vk_right, true);
    RunWhile([] { return Runner().current_room == rmEmpty; }, 60);
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
    Press(vk_right, 30);
    EXPECT_EQ(Runner().current_room, rmEmpty);
    EXPECT_LE(Get(player_, VAR_bbox_right), 319);
}

} // namespace
