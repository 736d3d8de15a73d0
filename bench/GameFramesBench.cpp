// The game's cost per frame: 3,600 frames (a minute of play) of the snow world headless, on null
// graphics and audio, with Mireth running back and forth and jumping as a player would. Prints
// the mean, median, p99 and worst frame in microseconds, and the same for the frames where she
// crosses to another screen (its checkpoint saved, the screen tiled anew), and the re-tiling
// alone. Run from build/bin (it loads data.win beside it): `bench_game_frames [frames]`.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "FrameStats.h"

namespace {

class SnowRun : public GameSession {
public:
    // The save puts the player on the snow world's first screen.
    bool Start() {
        Begin();
        const std::string error = LoadSaved(R"({"char_room":4,"char_x":40,"char_y":150})", rmSnow);
        if (!error.empty()) std::fprintf(stderr, "bench_game_frames: %s\n", error.c_str());
        return error.empty() && Runner().current_room == rmSnow;
    }
    // Right for two seconds, left for two, a jump every 40 frames.
    void Play(int frame) {
        const int phase = frame % 240;
        if (phase == 0) window_.PostKey(vk_left, false), window_.PostKey(vk_right, true);
        if (phase == 120) window_.PostKey(vk_right, false), window_.PostKey(vk_left, true);
        if (frame % 40 == 0) window_.PostKey(vk_space, true);
        if (frame % 40 == 10) window_.PostKey(vk_space, false);
    }
    // The screen Mireth is on, counted in screens from the room's left.
    static int Screen() {
        CInstance* player = FirstOf(oChar);
        return player ? int(Real(BuiltinVar(player, VAR_x)) / 320) : -1;
    }
    // The re-tiling of a screen change alone: every tiler lays its whole level again.
    static std::vector<double> RetileTimes(int times) {
        std::vector<double> micros;
        for (int time = 0; time < times; ++time) {
            const auto start = std::chrono::steady_clock::now();
            ForEachTargetOf(nullptr, nullptr, oTilesetter,
                            [](CInstance* tiler) { event_user(tiler, FirstOf(oCamera), 0); });
            micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
        return micros;
    }
    using GameSession::End;
    using GameSession::TimedFrame;
};

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3600;
    SnowRun run;
    if (!run.Start()) return 1;
    std::vector<FrameCost> costs, crossings;
    bool crossed = false;
    for (int frame = 0; frame < frames; ++frame) {
        run.Play(frame);
        const int screen = SnowRun::Screen();
        costs.push_back(run.TimedFrame());
        // The camera follows her onto the new screen the frame after she crosses.
        if (crossed) crossings.push_back(costs.back());
        crossed = SnowRun::Screen() != screen;
    }
    const std::vector<double> retiles = SnowRun::RetileTimes(50);
    run.End();
    std::printf("game_frames room=rmSnow %s\n", FrameSummary(costs).c_str());
    std::printf("screen_changes %s\n", FrameSummary(crossings).c_str());
    std::printf("retile %s\n", TimeSummary(retiles).c_str());
    return 0;
}
