// The last fight's cost: the whole fight from the herald to the Presence's end, headless on null
// graphics and audio, with Mireth kept safe so the song runs out: the mean, p99 and worst frame in
// microseconds, and the draw calls a frame in the ring phase (phase 11), where the most shots fly.
// With `--song` it plays the fight in real time instead, its song on the system output (silent
// without a sound card, but playing in time), and prints how far the song's position and the
// fight's clock drift apart from the Presence's appearance on, at each phase and at the end.
// Run from build/bin (it loads data.win beside it): `bench_final_fight [--song]`.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "FrameStats.h"

namespace {

constexpr int kRingPhase = 11;

class FinalFight : public GameSession {
public:
    explicit FinalFight(bool song) {
        with_audio_ = song;
        real_time_ = song;
    }
    bool Start() {
        Begin();
        const std::string error = LoadSaved(
            R"({"char_x":160,"char_y":160,"char_max_hp":3,"char_room":)" + std::to_string(rmFinal) + "}", rmFinal);
        if (!error.empty()) std::fprintf(stderr, "bench_final_fight: %s\n", error.c_str());
        player_ = FirstOf(oChar);
        return error.empty() && player_ && FirstOf(oPresence);
    }
    // One frame, timed, with the draw calls it made, and the phase it played; Mireth stays
    // untouchable.
    FrameCost Frame(int& phase) {
        Assign(Var(player_, SLOT_invuln), Value(1000));
        CInstance* boss = FirstOf(oFinalBoss);
        phase = boss ? int(Real(Var(boss, SLOT_phase))) : -1;
        return TimedFrame();
    }
    bool Over() { return !FirstOf(oPresence) && !FirstOf(oFinalBoss); }
    // The song's position less the fight's clock, in seconds, and the phase; false before the
    // Presence appears.
    bool Lead(double& lead, int& phase) {
        CInstance* boss = FirstOf(oFinalBoss);
        if (!boss) return false;
        Assign(Var(player_, SLOT_invuln), Value(1000));
        phase = int(Real(Var(boss, SLOT_phase)));
        const double position = Real(Builtin("audio_sound_get_track_position", Value(bgmFinal)));
        lead = position - Real(Var(boss, SLOT_elapsed)) / 1e6;
        return true;
    }
    using GameSession::End;
    using GameSession::RunFrames;

private:
    CInstance* player_ = nullptr;
};

// The drift of the song against the fight's clock, over the fight in real time.
int SongDrift() {
    FinalFight fight(true);
    if (!fight.Start()) return 1;
    constexpr double kFrameMs = 1000.0 / 60;
    bool started = false;
    double first = 0, lead = 0, worst = 0;
    int shown = -1, phase = 0;
    while (!fight.Over()) {
        fight.RunFrames(1);
        if (!fight.Lead(lead, phase)) continue;
        if (!started) first = lead, started = true;
        const double drift_ms = (lead - first) * 1000;
        worst = std::max(worst, std::abs(drift_ms));
        if (phase != shown) std::printf("phase=%d drift_ms=%.2f\n", shown = phase, drift_ms);
    }
    fight.End();
    std::printf("song_drift: end_ms=%.2f worst_ms=%.2f worst_frames=%.2f\n", (lead - first) * 1000, worst,
                worst / kFrameMs);
    return started ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--song") return SongDrift();
    FinalFight fight(false);
    if (!fight.Start()) return 1;
    std::vector<FrameCost> costs, ring;
    while (!fight.Over()) {
        int phase = 0;
        costs.push_back(fight.Frame(phase));
        if (phase == kRingPhase) ring.push_back(costs.back());
    }
    fight.End();
    std::printf("fight=final %s\nfight=final ring_phase %s\n", FrameSummary(costs).c_str(), FrameSummary(ring).c_str());
    return 0;
}
