// The fights' cost: each beast's fight in its test arena, headless on null graphics and audio,
// with Mireth kept safe so the fight runs on: the mean, p99 and worst frame in microseconds, and
// the draw calls a frame (mean and most). The great wiggler fights at three hit points, so that its
// rain falls at its quickest. Run from build/bin (it loads data.win beside it):
// `bench_fights [frames]`.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FrameStats.h"

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
    FrameCost Frame() {
        Assign(Var(player_, SLOT_invuln), Value(1000));
        return TimedFrame();
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
        std::vector<FrameCost> costs;
        for (int frame = 0; frame < frames; ++frame) costs.push_back(fight.Frame());
        fight.End();
        std::printf("fight=%s %s\n", arena.name, FrameSummary(costs).c_str());
    }
    return 0;
}
