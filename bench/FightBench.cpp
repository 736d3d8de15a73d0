// The fights' cost: each beast's fight in its test arena, headless on null graphics and audio,
// with Mireth kept safe so the fight runs on: the mean, p99 and worst frame in microseconds, and
// the draw calls a frame (mean and most). The great wiggler fights at three hit points, so that its
// rain falls at its quickest. Run from build/bin (it loads data.win beside it):
// `bench_fights [frames]`.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "GameSession.h"

namespace {

struct Arena {
    const char* name;
    int32_t room, beast;
    double hp; // the beast's hit points once the fight runs; 0 keeps them whole
};

class Fight : public GameSession {
public:
    bool Start(const Arena& arena) {
        Begin();
        const std::string error = LoadSaved(
            R"({"char_x":24,"char_y":160,"char_max_hp":3,"char_room":)" + std::to_string(arena.room) + "}", arena.room);
        if (!error.empty()) std::fprintf(stderr, "bench_fights: %s\n", error.c_str());
        player_ = FirstOf(oChar);
        beast_ = FirstOf(arena.beast);
        if (!error.empty() || !player_ || !beast_) {
            std::fprintf(stderr, "bench_fights: no %s in room %d\n", player_ ? "beast" : "player", arena.room);
            return false;
        }
        const bool started = StartFightAtTrigger();
        if (arena.hp > 0) Assign(Var(beast_, SLOT_hp), Value(arena.hp));
        return started;
    }
    // One frame, timed, with the draw calls it made; Mireth stays untouchable.
    double Frame(size_t& draws) {
        Assign(Var(player_, SLOT_invuln), Value(1000));
        const size_t before = null_graphics_.draws.size();
        const auto begin = std::chrono::steady_clock::now();
        RunFrames(1);
        const double micros = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
        draws = null_graphics_.draws.size() - before;
        return micros;
    }
    using GameSession::End;

private:
    CInstance* player_ = nullptr;
    CInstance* beast_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1800;
    const Arena arenas[] = {{"slime", rmArena, oMegaSlimey, 0},
                            {"wiggler_rain", rmArenaPink, oMegaWigglis, 3},
                            {"flower", rmArenaPurple, oMegaFlowerfluff, 0}};
    for (const Arena& arena : arenas) {
        Fight fight;
        if (!fight.Start(arena)) return 1;
        std::vector<double> micros;
        std::vector<size_t> draws(static_cast<size_t>(frames));
        for (int frame = 0; frame < frames; ++frame) micros.push_back(fight.Frame(draws[size_t(frame)]));
        fight.End();
        const double mean = std::accumulate(micros.begin(), micros.end(), 0.0) / double(micros.size());
        const double mean_draws = double(std::accumulate(draws.begin(), draws.end(), size_t(0))) / double(draws.size());
        std::sort(micros.begin(), micros.end());
        std::printf("fight=%s frames=%d mean_us=%.1f p99_us=%.1f max_us=%.1f draws_mean=%.1f draws_max=%zu\n", arena.name,
                    frames, mean, micros[std::min(micros.size() - 1, size_t(0.99 * double(micros.size())))], micros.back(),
                    mean_draws, *std::max_element(draws.begin(), draws.end()));
    }
    return 0;
}
