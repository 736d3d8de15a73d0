// The last fight in its room, on the test clock (a frame every 1/60 s): its whole schedule with
// Mireth untouchable, then the rules of her death in it.
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "GameFixture.h"
#include "Sound/SoundIds.h"

namespace {

constexpr double kBeat = 1e6 * 30 / 77, kFrame = 1e6 / 60;
constexpr double kPhaseStarts[] = {0, 8, 12.95, 14.45, 19.25, 20.75, 25.9, 26.9,
                                   33.1, 38.5, 42.5, 55.2, 64.7, 67.7, 78.9, 83.4};

int ThueMorse(int n) { return __builtin_popcount(unsigned(n)) % 2; }

// What a firing looks like: its shots' speed, how many, in which phases, and its period in
// frames (a beat is 23.4 frames: its countdown runs out on the 24th and fires on the next).
struct PatternShape {
    const char* name;
    double speed;
    int shots;
    std::set<int> phases;
    int period;
};
const PatternShape kShapes[] = {
    {"shot", 8, 3, {0, 1, 13}, 25},  {"streamer", 6, 3, {1}, 25},   {"slides", 4, 6, {3}, 25},
    {"slides", 8, 3, {5}, 25},       {"cross", 6, 12, {7, 8}, 25},  {"plus", 4, 12, {8}, 25},
    {"rot", 6, 30, {10, 11}, 25},    {"rot2", 3, 5, {11}, 25},      {"slash", 32, 3, {13}, 7},
    {"star", 16, 15, {15}, 1},
};

const PatternShape* ShapeOf(int phase, double speed) {
    for (const PatternShape& shape : kShapes)
        if (shape.phases.count(phase) && shape.speed == speed) return &shape;
    return nullptr;
}

struct Shot {
    double x, y, hv, vv, bottom;
    bool hurtful;
    double Direction() const { return std::fmod(std::atan2(-vv, hv) * 180 / M_PI + 360, 360); }
};

struct Firing {
    int frame, phase;
    const PatternShape* shape;
    std::vector<Shot> shots;
    double player_x;
};

class FinalBossTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        with_audio_ = true;
        StartSaved(R"({"char_x":160,"char_y":160,"char_max_hp":3,"can_duck":1,"hi":1,"char_room":)" +
                       std::to_string(rmFinal) + "}", rmFinal);
        player_ = FirstOf(oChar);
        ASSERT_NE(player_, nullptr);
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
    // The shots made since the last call.
    std::vector<Shot> NewShots() {
        std::vector<Shot> fresh;
        With(nullptr, nullptr, oFinalProjectile, [&](CInstance* shot, CInstance*) {
            if (seen_.insert(int64_t(Get(shot, VAR_id))).second)
                fresh.push_back({Get(shot, VAR_x), Get(shot, VAR_y), Get(shot, SLOT_hv), Get(shot, SLOT_vv),
                                 Get(shot, VAR_bbox_bottom), bool(Value(Var(shot, SLOT_hurtful)))});
        });
        return fresh;
    }

    CInstance* player_ = nullptr;
    std::set<int64_t> seen_;
};

TEST_F(FinalBossTest, TheWholeFightKeepsItsScheduleAndEndsWithItsSong) {
    CInstance* boss = AwaitBoss();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(Get(boss, SLOT_hp), 32);
    const double home_x = Get(boss, VAR_x);
    const double head = Get(player_, VAR_bbox_top); // standing on the floor
    Assign(Var(player_, SLOT_invuln), Value(1e9));

    const std::set<int> kHeld = {3, 4, 5, 6, 10, 11, 12};
    const std::map<int, double> kGlide = {{2, 0.8}, {9, 0.8}, {14, 0.95}, {15, 0.95}};
    // x from home by step of the floating path in phase 0 (positions are held as floats)
    std::map<int, double> floated;
    std::vector<Firing> firings;
    std::map<int, int> first_frame_of_phase;
    int frame = 0;
    double first_shot_at = -1, half_bar_at = -1;
    while (CInstance* live = FirstOf(oFinalBoss)) {
        const int phase = int(Get(live, SLOT_phase));
        const double elapsed = Get(live, SLOT_elapsed);
        const double was_dx = Get(live, VAR_x) - home_x;
        RunFrames(1);
        ++frame;
        first_frame_of_phase.emplace(phase, frame);
        if ((live = FirstOf(oFinalBoss))) {
            // Still in the calm and the held phases; floating, the other way in phases 7 and 8;
            // gliding home by a fifth, or a twentieth, of the way a step.
            const double dx = Get(live, VAR_x) - home_x;
            const int stepc = int(Get(live, SLOT_stepc));
            if (phase == 0 && elapsed >= 1.5e6) floated[stepc] = dx;
            double want = dx;
            if (elapsed < 1.5e6 || kHeld.count(phase)) want = 0;
            if ((phase == 7 || phase == 8) && floated.count(stepc)) want = -floated[stepc];
            if (kGlide.count(phase)) want = was_dx * kGlide.at(phase);
            EXPECT_NEAR(dx, want, 1e-3) << "phase " << phase;
            // Facing Mireth, and never hidden by a zero scale right above her (she stands below its home).
            EXPECT_EQ(std::abs(Get(live, VAR_image_xscale)), 1) << "phase " << phase;
            // The phase follows the song: each begins in the step its time is reached.
            const double now = Get(live, SLOT_elapsed) / 1e6;
            int expected = 0;
            while (expected + 1 < 16 && now >= kPhaseStarts[expected + 1]) ++expected;
            ASSERT_EQ(Get(live, SLOT_phase), expected) << "at " << now << " s";
            if (half_bar_at < 0 && Get(live, SLOT_hp) == 16) half_bar_at = now;
        }
        // This frame's shots, by pattern, in the order the patterns fire.
        std::map<const PatternShape*, Firing> by_pattern;
        for (const Shot& shot : NewShots()) {
            const double speed = std::round(std::hypot(shot.hv, shot.vv));
            const PatternShape* shape = ShapeOf(phase, speed);
            ASSERT_NE(shape, nullptr) << "speed " << speed << " shots in phase " << phase;
            Firing& firing = by_pattern[shape];
            firing.frame = frame, firing.phase = phase, firing.player_x = Get(player_, VAR_x);
            firing.shape = shape;
            firing.shots.push_back(shot);
        }
        for (auto& [shape, firing] : by_pattern) {
            if (first_shot_at < 0) first_shot_at = elapsed;
            firings.push_back(firing);
        }
    }

    // Nothing in the calm; the first aimed spoke one beat after it.
    EXPECT_GE(first_shot_at, 1.5e6 + kBeat);
    EXPECT_LE(first_shot_at, 1.5e6 + kBeat + 2 * kFrame);
    EXPECT_NEAR(half_bar_at, 83.129 / 2, 1.0 / 60);

    // Every pattern in each of its phases: whole firings on its beat, the first within a period of
    // the phase's start (its countdown ran on in the phases before), the last within one of its end.
    std::map<std::pair<const PatternShape*, int>, std::vector<const Firing*>> runs;
    for (const Firing& firing : firings) runs[{firing.shape, firing.phase}].push_back(&firing);
    for (const PatternShape& shape : kShapes)
        for (int phase : shape.phases) {
            const auto& run = runs[{&shape, phase}];
            ASSERT_FALSE(run.empty()) << shape.name << " in phase " << phase;
            const int start = first_frame_of_phase[phase] + (phase == 0 ? 90 : 0);
            EXPECT_LE(run.front()->frame - start, shape.period) << shape.name << " in phase " << phase;
            const int end = phase == 15 ? run.back()->frame : first_frame_of_phase[phase + 1];
            EXPECT_LT(end - run.back()->frame, shape.period) << shape.name << " in phase " << phase;
            for (size_t k = 0; k < run.size(); ++k) {
                EXPECT_EQ(int(run[k]->shots.size()), shape.shots) << shape.name << " in phase " << phase;
                EXPECT_EQ(run[k]->frame - run[k ? k - 1 : k]->frame, k ? shape.period : 0) << shape.name << " in phase " << phase;
            }
        }

    // Column, slides and slash take their sides from one sequence, in firing order. The two rings
    // share one turn counter: ring firing k turns by the small or the large step as term k says
    // (so in phase 11 each ring follows every other term). The closing stars never hurt.
    int side_term = 0, ring_term = 0;
    std::map<std::string, std::pair<double, int>> ring_last; // each ring's last angle and term
    for (const Firing& firing : firings) {
        const std::string name = firing.shape->name;
        const Shot& shot = firing.shots.front();
        // The room keeps the Presence high enough for its slashes to pass over Mireth's head.
        for (const Shot& each : firing.shots) {
            EXPECT_EQ(each.hurtful, name != "star");
            EXPECT_TRUE(name != "slash" || each.bottom < head) << each.bottom;
        }
        if (name == "streamer" || name == "slides" || name == "slash") {
            const int side = name == "streamer" ? shot.x < firing.player_x : shot.hv < 0;
            EXPECT_EQ(side, ThueMorse(side_term % 16)) << name << " firing " << side_term;
            ++side_term;
        }
        if (name != "rot" && name != "rot2") continue;
        const double symmetry = name == "rot" ? 36 : 72, small = name == "rot" ? 7 : 16;
        const double angle = std::fmod(shot.Direction(), symmetry);
        if (ring_last.count(name)) {
            const auto [last_angle, last_term] = ring_last[name];
            EXPECT_NEAR(std::fmod(angle - last_angle + symmetry, symmetry), small * (1 + 2 * ThueMorse(last_term)), 1e-6)
                << name << " term " << last_term;
        }
        ring_last[name] = {angle, ring_term++};
    }

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
