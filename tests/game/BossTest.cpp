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
        player_ = FirstOf(oChar);
        boss_ = FirstOf(beast_);
        ASSERT_NE(player_, nullptr);
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
    CInstance* player_ = nullptr;
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

class WigglerFight : public BossTest {
protected:
    WigglerFight() { room_ = rmArenaPink, beast_ = oMegaWigglis; }
    // Drops let go this frame, not falling yet (so drops that land do not count), over the
    // arena's wall or anywhere.
    static int FreshDrops(bool over_wall = false) {
        const double wall = Real(BuiltinVar(FirstOf(oBossBlock), VAR_x)) + 8;
        int fresh = 0;
        With(nullptr, nullptr, oWigglisProjectile, [&](CInstance* drop, CInstance*) {
            fresh += Get(drop, SLOT_vv) == 0 && (!over_wall || Get(drop, VAR_x) == wall);
        });
        return fresh;
    }
    // Mireth stands clear of the beast's path, untouchable, so the fight runs on.
    void StartFight() {
        BossTest::StartFight();
        Assign(Var(player_, SLOT_invuln), Value(100000));
    }
};

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

TEST_F(BossTest, TheGreatSlimeSpeedsUpAsItIsHurtAndItsDeathEndsTheFight) {
    StartFight();
    RunFrames(2);
    EXPECT_EQ(std::abs(Get(boss_, SLOT_hv)), 2);
    for (int hit = 0; hit < 4; ++hit) Stomp();
    RunFrames(1);
    EXPECT_EQ(std::abs(Get(boss_, SLOT_hv)), 4);
    // Off to the wall, up it and off the ceiling: a shot at 5 px a step.
    CInstance* shot = nullptr;
    for (int frame = 0; frame < 300 && !(shot = FirstOf(oSlimeyProjectile)); ++frame) RunFrames(1);
    ASSERT_NE(shot, nullptr);
    EXPECT_NEAR(std::hypot(Get(shot, SLOT_hv), Get(shot, SLOT_vv)), 5, 1e-9);

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

// At each wall it hops or calls a drop as its sequence says; from nine hit points it also rains
// over the walls, twice as often from three.
TEST_F(WigglerFight, HopsAndDropsFollowItsSequenceAndItRainsWhenHurt) {
    StartFight();
    constexpr int kSeq[] = {0, 1, 1, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 1, 0};
    int walls = 0;
    for (int frame = 0; frame < 900 && walls < 4; ++frame) {
        const double hv = Get(boss_, SLOT_hv);
        const int i = int(Get(boss_, SLOT_i));
        RunFrames(1);
        if ((Get(boss_, SLOT_hv) > 0) == (hv > 0)) continue;
        ++walls;
        EXPECT_EQ(Get(boss_, SLOT_i), (i + 1) % 16);
        if (kSeq[i]) {
            EXPECT_NEAR(Get(boss_, SLOT_vv), -std::sqrt(3.2), 1e-9) << "a hop at term " << i;
            EXPECT_EQ(FreshDrops(), 0);
        } else {
            EXPECT_EQ(FreshDrops(), 1) << "a drop at term " << i;
        }
    }
    EXPECT_EQ(walls, 4);

    // Frames from now to the next rain over the wall.
    const auto next_rain = [&] {
        for (int frame = 1; frame <= 120; ++frame) {
            RunFrames(1);
            if (FreshDrops(true) > 0) return frame;
        }
        return -1;
    };
    RunFrames(120);
    EXPECT_EQ(Get(boss_, SLOT_drop_timer), -1); // no rain at full strength
    Assign(Var(boss_, SLOT_hp), Value(9));
    next_rain();
    EXPECT_NEAR(next_rain(), 60 * 60 / 73.0, 1);
    CInstance* drop = FirstOf(oWigglisProjectile);
    EXPECT_NEAR(Get(drop, SLOT_grav), 0.2, 1e-9);

    Assign(Var(boss_, SLOT_hp), Value(3));
    next_rain();
    EXPECT_NEAR(next_rain(), 30 * 60 / 73.0, 1);
}

class FlowerFight : public BossTest {
protected:
    FlowerFight() { room_ = rmArenaPurple, beast_ = oMegaFlowerfluff; }
    CInstance* Seed(double x, double y, double hv, double vv) {
        CInstance* seed = Place(oFlowerProjectile, x, y);
        Assign(Var(seed, SLOT_hv), Value(hv));
        Assign(Var(seed, SLOT_vv), Value(vv));
        return seed;
    }
};

TEST_F(FlowerFight, FloorsAnAimNeverStraightDownAndSeedsThatHurtAndBreakFloorsOnlyOnceBounced) {
    StartFight();
    EXPECT_EQ(Count(oFlowerBossBlock), 32);
    PutPlayer(Get(boss_, VAR_x) + 2); // almost straight below
    for (int frame = 0; frame < 70 && !FirstOf(oFlowerProjectile); ++frame) RunFrames(1);
    CInstance* aimed = FirstOf(oFlowerProjectile);
    ASSERT_NE(aimed, nullptr);
    const double direction = std::atan2(-Get(aimed, SLOT_vv), Get(aimed, SLOT_hv)) * 180 / M_PI + 360;
    EXPECT_NEAR(direction, 280, 1e-6);
    Call(aimed, aimed, FN_instance_destroy);

    PutPlayer(120);
    CInstance* seed = Seed(120, 150, 0, 0);
    RunFrames(1);
    EXPECT_EQ(Get(player_, SLOT_hp), 3);
    Assign(Var(seed, SLOT_dangerous), Value(1));
    RunFrames(1);
    EXPECT_EQ(Get(player_, SLOT_hp), 2);
    EXPECT_EQ(FirstOf(oFlowerProjectile), nullptr);

    // Rising into a floor, a bounced seed breaks it and turns back; a fresh one passes.
    CInstance* floor = nullptr; // of the lowest row, the one under the beast
    const auto key = [&](CInstance* b) {
        return std::pair(-Get(b, VAR_y), std::abs(Get(b, VAR_x) + 8 - Get(boss_, VAR_x)));
    };
    With(nullptr, nullptr, oFlowerBossBlock, [&](CInstance* block, CInstance*) {
        if (!floor || key(block) < key(floor)) floor = block;
    });
    const double under = Get(floor, VAR_bbox_bottom) + 6;
    CInstance* fresh = Seed(Get(floor, VAR_x) + 8, under, 0, -4);
    RunFrames(2);
    EXPECT_LT(Get(fresh, SLOT_vv), 0);
    EXPECT_EQ(Get(floor, SLOT_dead), 0);
    CInstance* bounced = Seed(Get(floor, VAR_x) + 8, under, 0, -4);
    Assign(Var(bounced, SLOT_dangerous), Value(1));
    RunFrames(2);
    EXPECT_EQ(Get(floor, SLOT_dead), 1);
    EXPECT_GT(Get(bounced, SLOT_vv), 0);

    // Each hit lays two rows more and clears the seeds; the last point a third.
    Stomp();
    EXPECT_EQ(Count(oFlowerBossBlock), 64);
    EXPECT_EQ(Count(oFlowerProjectile), 0);
    Stomp();
    EXPECT_EQ(Count(oFlowerBossBlock), 112);
}

} // namespace
