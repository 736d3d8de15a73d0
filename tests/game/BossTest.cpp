// The great slime's fight in the test arena: started by the trigger, its walls and music, its
// speed and shots as it is hurt, called off and restarted whole, reset by Mireth's death, and won
// for good.
#include <cmath>

#include "GameFixture.h"

namespace {

class BossTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        with_audio_ = true;
        WriteSaveFile("save.fluffy", R"({"char_room":9,"char_x":24,"char_y":160,"char_max_hp":3})");
        Start();
        for (int frame = 0; frame < 10 && Runner().current_room != rmArena; ++frame) RunFrames(1);
        player_ = FirstOf(oChar);
        boss_ = FirstOf(oMegaSlimey);
        ASSERT_NE(player_, nullptr);
        ASSERT_NE(boss_, nullptr);
    }
    void PutPlayer(double x) {
        SetBuiltinVar(player_, VAR_x, Value(x));
        SetBuiltinVar(player_, VAR_y, Value(160));
    }
    // Mireth walks into the trigger.
    void StartFight() {
        PutPlayer(88);
        RunFrames(1);
        PutPlayer(40);
        ASSERT_TRUE(Active());
    }
    bool Active() const { return bool(Value(Var(boss_, SLOT_boss_active))); }
    double Hp(CInstance* who) const { return Real(Var(who, SLOT_hp)); }
    bool WallsUp() const {
        CInstance* wall = FirstOf(oBossBlock);
        return Real(BuiltinVar(wall, VAR_visible)) == 1 && Real(BuiltinVar(wall, VAR_solid)) == 1;
    }
    void Stomp() {
        CallScript(psl_Script_hurt, boss_, player_, BuiltinVar(boss_, VAR_id), BuiltinVar(player_, VAR_id));
        Assign(Var(boss_, SLOT_invuln), Value(0));
    }
    CInstance* player_ = nullptr;
    CInstance* boss_ = nullptr;
};

TEST_F(BossTest, TheTriggerStartsTheFightWhichALeftScreenCallsOffAndARestartFindsWhole) {
    EXPECT_FALSE(WallsUp());
    StartFight();
    EXPECT_TRUE(WallsUp());
    EXPECT_TRUE(Real(Builtin("audio_is_playing", Value(bgmBoss))));
    EXPECT_EQ(Real(Var(FirstOf(oBossTrigger), SLOT_hit)), 1);
    Stomp();
    EXPECT_EQ(Hp(boss_), 11);

    // Out of Mireth's sight the fight is off, and the beast creeps home healed.
    SetBuiltinVar(boss_, VAR_x, Value(600));
    RunFrames(1);
    EXPECT_FALSE(Active());
    EXPECT_FALSE(WallsUp());
    EXPECT_FALSE(Real(Builtin("audio_is_playing", Value(bgmBoss))));
    RunFrames(120);
    EXPECT_NEAR(Real(BuiltinVar(boss_, VAR_x)), 240, 1);
    EXPECT_EQ(Hp(boss_), 12);

    event_user(boss_, boss_, 2);
    EXPECT_TRUE(Active());
    EXPECT_EQ(Real(BuiltinVar(boss_, VAR_x)), 240);
    EXPECT_EQ(Hp(boss_), 12);
}

TEST_F(BossTest, InAFightATouchCostsAHeartAndMirethsDeathResetsIt) {
    StartFight();
    // Touching the beast's side while it moves: one heart, a second of safety.
    RunFrames(3);
    PutPlayer(Real(BuiltinVar(boss_, VAR_x)) - 10);
    RunFrames(1);
    EXPECT_EQ(Real(Var(player_, SLOT_dead)), 0);
    EXPECT_EQ(Hp(player_), 2);
    EXPECT_EQ(Real(Var(player_, SLOT_invuln)), Real(Var(player_, SLOT_invuln_time)) - 1);

    PutPlayer(40);
    CallScript(psl_Script_die, player_, player_);
    EXPECT_FALSE(Active());
    EXPECT_FALSE(WallsUp());
    EXPECT_EQ(Hp(player_), 3);
    EXPECT_EQ(Real(Var(FirstOf(oBossTrigger), SLOT_hit)), 0);
    EXPECT_EQ(FirstOf(oProjectile), nullptr);
}

TEST_F(BossTest, TheGreatSlimeRunsAndShootsFasterAsItIsHurt) {
    StartFight();
    RunFrames(2);
    EXPECT_EQ(std::abs(Real(Var(boss_, SLOT_hv))), 2);
    for (int hit = 0; hit < 4; ++hit) Stomp();
    RunFrames(1);
    EXPECT_EQ(std::abs(Real(Var(boss_, SLOT_hv))), 4);
    // Off to the wall, up it and off the ceiling: a shot at 5 px a step.
    CInstance* shot = nullptr;
    for (int frame = 0; frame < 300 && !(shot = FirstOf(oSlimeyProjectile)); ++frame) RunFrames(1);
    ASSERT_NE(shot, nullptr);
    EXPECT_NEAR(std::hypot(Real(Var(shot, SLOT_hv)), Real(Var(shot, SLOT_vv))), 5, 1e-9);
}

TEST_F(BossTest, ABeatenBeastEndsTheFightHealsMirethAndNeverComesBack) {
    StartFight();
    Assign(Var(player_, SLOT_hp), Value(1));
    Assign(Var(boss_, SLOT_hp), Value(1));
    Stomp();
    EXPECT_EQ(FirstOf(oMegaSlimey), nullptr);
    EXPECT_EQ(FirstOf(oBossTrigger), nullptr);
    EXPECT_FALSE(WallsUp());
    EXPECT_EQ(Hp(player_), 3);
    EXPECT_EQ(GlobalNumber("megaslimey"), 1);
    EXPECT_NE(ReadSaveFile("save.fluffy").find("\"megaslimey\":1"), std::string::npos);

    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    EXPECT_EQ(FirstOf(oMegaSlimey), nullptr);
}

} // namespace
