// The beasts' fights in the test arenas.
#include <cmath>
#include <utility>

#include "GameFixture.h"

namespace {

class BossTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        with_audio_ = true;
        StartSaved(R"({"char_x":24,"char_y":160,"char_max_hp":3,"char_room":)" + std::to_string(room_) + "}", room_);
        boss_ = FirstOf(beast_);
        ASSERT_NE(boss_, nullptr);
    }
    void PutPlayer(double x) { Put(player_, x, 160); }
    void StartFight() { ASSERT_TRUE(StartFightAtTrigger()); }
    bool Active() const { return bool(Value(Var(boss_, SLOT_boss_active))); }
    bool WallsUp() const {
        CInstance* wall = FirstOf(oBossBlock);
        return Get(wall, VAR_visible) == 1 && Get(wall, VAR_solid) == 1;
    }
    void Stomp() {
        GameFixture::Stomp(player_, boss_);
        Assign(Var(boss_, SLOT_invuln), Value(0));
    }

    int32_t room_ = rmArena, beast_ = oMegaSlimey;
    CInstance* boss_ = nullptr;
};

// A trigger whose beast is gone, and a beast whose trigger is gone, run without an error.
TEST_F(BossTest, LoneTriggersAndBeastsDoNothing) {
    RuntimeErrorCapture errors;
    Call(nullptr, nullptr, FN_instance_destroy, BuiltinVar(FirstOf(oBossTrigger), VAR_id));
    RunFrames(30);
    EXPECT_FALSE(Value(Var(FirstOf(oMegaSlimey), SLOT_boss_active)));
    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    Call(nullptr, nullptr, FN_instance_destroy, BuiltinVar(FirstOf(oMegaSlimey), VAR_id));
    EXPECT_FALSE(StartFightAtTrigger());
    RunFrames(30);
    EXPECT_EQ(Real(BuiltinVar(FirstOf(oBossBlock), VAR_solid)), 0);
    EXPECT_TRUE(errors.Messages().empty());
}

// In a world with a song of its own, the fight's song takes over for as long as the fight lasts:
// the camera's music check leaves the world's song paused, and it goes on when the fight ends.
using BeastInputTest = GameFixture;

TEST_F(BeastInputTest, AWorldsSongWaitsOutTheFightAndThenGoesOn) {
    with_audio_ = true;
    StartSaved(R"({"char_x":72,"char_y":160,"char_room":)" + std::to_string(rmSnow) + "}", rmSnow);
    const auto playing = [](int32_t music) { return bool(Real(Builtin("audio_is_playing", Value(music)))); };
    ASSERT_TRUE(playing(bgmSnow));
    Place(oBossBlock, 16, 144);
    CInstance* beast = Place(oMegaSlimey, 240, 96);
    Assign(Var(beast, SLOT_pause), Value(1)); // held where it stands, on Mireth's screen
    event_user(beast, beast, 2);
    RunFrames(40);
    EXPECT_TRUE(Value(Var(beast, SLOT_boss_active)));
    EXPECT_TRUE(playing(bgmBoss));
    EXPECT_FALSE(playing(bgmSnow));
    event_user(beast, beast, 2);
    EXPECT_FALSE(playing(bgmBoss));
    EXPECT_TRUE(playing(bgmSnow));
}

TEST_F(BossTest, AFightStartsAtTheTriggerCostsHeartsEndsOffScreenOrByDeathAndRestartsWhole) {
    EXPECT_FALSE(WallsUp());
    StartFight();
    EXPECT_TRUE(WallsUp());
    EXPECT_TRUE(Real(Builtin("audio_is_playing", Value(bgmBoss))));
    // Touching the beast's side while it moves: one heart, a second of safety.
    RunFrames(3);
    PutPlayer(Get(boss_, VAR_x) - 10);
    RunFrames(1);
    EXPECT_EQ(Get(player_, SLOT_dead), 0);
    EXPECT_EQ(Get(player_, SLOT_hp), 2);
    EXPECT_EQ(Get(player_, SLOT_invuln), Get(player_, SLOT_invuln_time) - 1);
    PutPlayer(40);
    Stomp();
    EXPECT_EQ(Get(boss_, SLOT_hp), 11);

    // Out of Mireth's sight the fight is off, and the beast creeps home healed.
    SetBuiltinVar(boss_, VAR_x, Value(600));
    RunFrames(1);
    EXPECT_FALSE(Active());
    EXPECT_FALSE(WallsUp());
    EXPECT_FALSE(Real(Builtin("audio_is_playing", Value(bgmBoss))));
    RunFrames(120);
    EXPECT_NEAR(Get(boss_, VAR_x), 240, 1);
    EXPECT_EQ(Get(boss_, SLOT_hp), 12);

    // Mireth's death ends a fight and sets the trigger again; the next fight starts whole.
    event_user(boss_, boss_, 2);
    EXPECT_EQ(Get(boss_, VAR_x), 240);
    CallScript(psl_Script_die, player_, player_);
    EXPECT_FALSE(Active());
    EXPECT_EQ(Get(player_, SLOT_hp), 3);
    EXPECT_EQ(Real(Var(FirstOf(oBossTrigger), SLOT_hit)), 0);
    EXPECT_EQ(FirstOf(oProjectile), nullptr);
}

// Its runs, climbs and shots are pinned by the recorded fight's run digest.
TEST_F(BossTest, TheGreatSlimesDeathEndsTheFightForGood) {
    StartFight();
    RunFrames(2);
    Assign(Var(player_, SLOT_hp), Value(1));
    Assign(Var(boss_, SLOT_hp), Value(1));
    Stomp();
    EXPECT_EQ(FirstOf(oMegaSlimey), nullptr);
    EXPECT_EQ(FirstOf(oBossTrigger), nullptr);
    EXPECT_EQ(FirstOf(oProjectile), nullptr);
    EXPECT_FALSE(WallsUp());
    EXPECT_EQ(Get(player_, SLOT_hp), 3);
    // Beaten is saved, and keeps it away from its arena made again.
    EXPECT_NE(ReadSaveFile("save.fluffy").find("\"megaslimey\":1"), std::string::npos);
    Call(nullptr, nullptr, FN_room_restart);
    RunFrames(2);
    EXPECT_EQ(FirstOf(oMegaSlimey), nullptr);
}

class FlowerFight : public BossTest {
protected:
    FlowerFight() { room_ = rmArenaPurple, beast_ = oMegaFlowerfluff; }
};

// Its floors and the seeds' bounces are pinned by the recorded fight's run digest; the bot never
// stands where the aim is bent, nor lets a fresh seed touch it.
TEST_F(FlowerFight, AnAimNeverStraightDownAndSeedsThatHurtOnlyOnceBounced) {
    StartFight();
    PutPlayer(Get(boss_, VAR_x) + 2); // almost straight below
    for (int frame = 0; frame < 70 && !FirstOf(oFlowerProjectile); ++frame) RunFrames(1);
    CInstance* aimed = FirstOf(oFlowerProjectile);
    ASSERT_NE(aimed, nullptr);
    const double direction = std::atan2(-Get(aimed, SLOT_vv), Get(aimed, SLOT_hv)) * 180 / M_PI + 360;
    EXPECT_NEAR(direction, 280, 1e-6);
    Call(aimed, aimed, FN_instance_destroy);

    PutPlayer(120);
    CInstance* seed = Place(oFlowerProjectile, 120, 150); // still, not yet bounced
    RunFrames(1);
    EXPECT_EQ(Get(player_, SLOT_hp), 3);
    Assign(Var(seed, SLOT_dangerous), Value(1));
    RunFrames(1);
    EXPECT_EQ(Get(player_, SLOT_hp), 2);
    EXPECT_EQ(FirstOf(oFlowerProjectile), nullptr);
}

} // namespace
