// The last fight in its room, on the test clock (a frame every 1/60 s): the whole fight with
// Mireth untouchable, then the rules of her death in it.
#include <cmath>

#include "GameFixture.h"
#include "Sound/SoundIds.h"

namespace {

constexpr double kBeat = 1e6 * 30 / 77, kFrame = 1e6 / 60;

class FinalBossTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        with_audio_ = true;
        StartSaved(R"({"char_x":160,"char_y":160,"char_max_hp":3,"can_duck":1,"hi":1,"char_room":)" +
                       std::to_string(rmFinal) + "}", rmFinal);
        ASSERT_NE(FirstOf(oPresence), nullptr);
        EXPECT_NE(SongVoice(), 0) << "the song starts with the herald";
    }
    // The herald closes in over eight beats; then the Presence is there.
    CInstance* AwaitBoss() {
        int frames = 0;
        for (; frames < 400 && !FirstOf(oFinalBoss); ++frames) RunFrames(1);
        EXPECT_NEAR(frames * kFrame, 8 * kBeat, 2 * kFrame);
        EXPECT_EQ(FirstOf(oPresence), nullptr);
        return FirstOf(oFinalBoss);
    }
    // The voice the song plays on (ids count up as voices start), or 0 when it is not playing.
    int32_t SongVoice() const {
        for (int32_t id = kVoiceIdBase + 1; id < kVoiceIdBase + 5000; ++id)
            if (const CVoice* voice = audio_->FindVoice(id); voice && voice->sound == bgmFinal && !voice->stop_counter)
                return id;
        return 0;
    }
};

// How it moves and fires is pinned by the recorded fights' digests; what they cannot see is its
// bar, its scale and where the slashes pass.
TEST_F(FinalBossTest, TheWholeFightShowsItsBarAndItsWayAndEndsWithItsSong) {
    CInstance* boss = AwaitBoss();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(Get(boss, SLOT_hp), 32);
    const double head = Get(player_, VAR_bbox_top); // standing on the floor
    Assign(Var(player_, SLOT_invuln), Value(1e9));
    double half_bar_at = -1;
    int slashes = 0;
    while (FirstOf(oFinalBoss)) {
        RunFrames(1);
        // Facing Mireth, and never hidden by a zero scale right above her (she stands below its home).
        if (CInstance* live = FirstOf(oFinalBoss)) {
            EXPECT_EQ(std::abs(Get(live, VAR_image_xscale)), 1) << "at " << Get(live, SLOT_elapsed) / 1e6 << " s";
            if (half_bar_at < 0 && Get(live, SLOT_hp) == 16) half_bar_at = Get(live, SLOT_elapsed) / 1e6;
        }
        // The room keeps the Presence high enough for its slashes to pass over Mireth's head.
        With(nullptr, nullptr, oFinalProjectile, [&](CInstance* shot, CInstance*) {
            if (std::abs(Get(shot, SLOT_hv)) != 32) return;
            ++slashes;
            EXPECT_LT(Get(shot, VAR_bbox_bottom), head);
        });
    }
    EXPECT_GT(slashes, 0);
    EXPECT_NEAR(half_bar_at, 83.129 / 2, 1.0 / 60);

    // Won (the recorded fight checks what stays won): the song is over.
    RunFrames(30);
    EXPECT_EQ(SongVoice(), 0);
    EXPECT_EQ(GlobalNumber("finalboss"), 1);
}

TEST_F(FinalBossTest, AHitCostsAHeartAndADeathClearsTheShotsHoldsThePresenceAndStartsOver) {
    CInstance* boss = AwaitBoss();
    ASSERT_NE(boss, nullptr);
    for (int frame = 0; frame < 200 && !FirstOf(oFinalProjectile); ++frame) RunFrames(1);
    ASSERT_NE(FirstOf(oFinalProjectile), nullptr);

    // The pause menu holds the fight: its clock, its shots, its song (the same voice after).
    const int32_t song = SongVoice();
    Tap(vk_escape);
    const double held_at = Get(boss, SLOT_elapsed), shot_y = Real(BuiltinVar(FirstOf(oFinalProjectile), VAR_y));
    RunFrames(60);
    EXPECT_EQ(Get(boss, SLOT_elapsed), held_at);
    EXPECT_EQ(Real(BuiltinVar(FirstOf(oFinalProjectile), VAR_y)), shot_y);
    EXPECT_FALSE(Real(Builtin("audio_is_playing", Value(bgmFinal))));
    Tap(vk_escape);
    EXPECT_GT(Get(boss, SLOT_elapsed), held_at);
    EXPECT_TRUE(Real(Builtin("audio_is_playing", Value(bgmFinal))));
    EXPECT_EQ(SongVoice(), song);
    With(nullptr, nullptr, oFinalProjectile, [](CInstance* each, CInstance*) { Call(each, each, FN_instance_destroy); });

    // A shot on Mireth: a heart, not a life.
    CInstance* shot = Place(oFinalProjectile, Get(player_, VAR_x), Get(player_, VAR_y) - 8);
    RunFrames(1);
    EXPECT_EQ(std::pair(Get(player_, SLOT_hp), Get(player_, SLOT_dead)), std::pair(2.0, 0.0));
    Call(shot, shot, FN_instance_destroy);

    // At her last heart, one under her feet, found as she checks the ground: down. Every shot goes
    // at once, none is fired, and the Presence cannot run out its song.
    Assign(Var(player_, SLOT_invuln), Value(0));
    Assign(Var(player_, SLOT_hp), Value(1));
    Place(oFinalProjectile, Get(player_, VAR_x), Get(player_, VAR_y) + 8);
    RunFrames(1);
    ASSERT_TRUE(Runner().running) << error_output_;
    ASSERT_EQ(Get(player_, SLOT_dead), 1);
    EXPECT_EQ(SongVoice(), 0) << "the song stops";
    EXPECT_EQ(FirstOf(oFinalProjectile), nullptr);
    // Its song has just run out and it has blinked once: it would go the step its blink ends.
    Assign(Var(boss, SLOT_time), Value(0));
    Assign(Var(boss, SLOT_dead), Value(1));
    const double elapsed = Get(boss, SLOT_elapsed);
    double last_elapsed = elapsed;
    int32_t song_while_down = 0; // the camera brings the room's music back meanwhile
    int down = 0;
    for (; down < 600 && Get(player_, SLOT_dead); ++down) {
        last_elapsed = Get(boss, SLOT_elapsed);
        song_while_down = std::max(song_while_down, SongVoice());
        Place(oFinalProjectile, 160, 100); // however a shot got there, it goes
        RunFrames(1);
        EXPECT_EQ(FirstOf(oFinalProjectile), nullptr);
        ASSERT_TRUE(!Get(player_, SLOT_dead) || FirstOf(oFinalBoss)) << "gone while Mireth was down";
    }
    EXPECT_GT(down * kFrame, 0.5e6);
    EXPECT_NEAR(last_elapsed - elapsed, (down - 1) * kFrame, 10) << "its clock ran on";
    EXPECT_EQ(GlobalNumber("finalboss"), 0);

    // Back up: the room starts over from the herald, healed, and the song from its first bar.
    RunFrames(2);
    EXPECT_GT(SongVoice(), song_while_down);
    EXPECT_EQ(std::pair(Get(player_, SLOT_hp), Get(player_, SLOT_dead)), std::pair(3.0, 0.0));
    EXPECT_NE(FirstOf(oPresence), nullptr);
    EXPECT_EQ(FirstOf(oFinalBoss), nullptr);
}

} // namespace
