// The last fight's cost: the whole fight from the herald to the Presence's end, headless on null
// graphics and audio, with Mireth kept safe so the song runs out: the mean, p99 and worst frame in
// microseconds, and the draw calls a frame in the ring phase (phase 11), where the most shots fly.
// Run from build/bin (it loads data.win beside it): `bench_final_fight`.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "GameSession.h"

namespace {

constexpr int kRingPhase = 11;

class FinalFight : public GameSession {
public:
    bool Start() {
        Begin();
        const std::string error = LoadSaved(
            R"({"char_x":160,"char_y":160,"char_max_hp":3,"char_room":)" + std::to_string(rmFinal) + "}", rmFinal);
        if (!error.empty()) std::fprintf(stderr, "bench_final_fight: %s\n", error.c_str());
        player_ = FirstOf(oChar);
        return error.empty() && player_ && FirstOf(oPresence);
    }
    // One frame, timed, with the draw calls it made and the phase it played; Mireth stays untouchable.
    double Frame(size_t& draws, int& phase) {
        Assign(Var(player_, SLOT_invuln), Value(1000));
        CInstance* boss = FirstOf(oFinalBoss);
        phase = boss ? int(Real(Var(boss, SLOT_phase))) : -1;
        const size_t before = null_graphics_.draws.size();
        const auto begin = std::chrono::steady_clock::now();
        RunFrames(1);
        const double micros = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
        draws = null_graphics_.draws.size() - before;
        return micros;
    }
    bool Over() { return !FirstOf(oPresence) && !FirstOf(oFinalBoss); }
    using GameSession::End;

private:
    CInstance* player_ = nullptr;
};

} // namespace

int main() {
    FinalFight fight;
    if (!fight.Start()) return 1;
    std::vector<double> micros;
    std::vector<size_t> ring_draws;
    while (!fight.Over()) {
        size_t draws = 0;
        int phase = 0;
        micros.push_back(fight.Frame(draws, phase));
        if (phase == kRingPhase) ring_draws.push_back(draws);
    }
    fight.End();
    const double mean = std::accumulate(micros.begin(), micros.end(), 0.0) / double(micros.size());
    const double ring_mean = double(std::accumulate(ring_draws.begin(), ring_draws.end(), size_t(0))) /
                             double(std::max<size_t>(1, ring_draws.size()));
    const size_t ring_max = ring_draws.empty() ? 0 : *std::max_element(ring_draws.begin(), ring_draws.end());
    std::sort(micros.begin(), micros.end());
    std::printf("fight=final frames=%zu mean_us=%.1f p99_us=%.1f max_us=%.1f ring_draws_mean=%.1f ring_draws_max=%zu\n",
                micros.size(), mean, micros[std::min(micros.size() - 1, size_t(0.99 * double(micros.size())))],
                micros.back(), ring_mean, ring_max);
    return 0;
}
