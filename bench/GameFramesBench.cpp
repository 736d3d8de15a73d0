// The game's cost per frame: 3,600 frames (a minute of play) of the snow world headless, on null
// graphics and audio, with Mireth running back and forth and jumping as a player would. Prints
// the mean, median, p99 and worst frame in microseconds. Run from build/bin (it loads data.win
// beside it): `bench_game_frames [frames]`.
#include <algorithm>
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
    using GameSession::End;
    using GameSession::TimedFrame;
};

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3600;
    SnowRun run;
    if (!run.Start()) return 1;
    std::vector<FrameCost> costs;
    for (int frame = 0; frame < frames; ++frame) {
        run.Play(frame);
        costs.push_back(run.TimedFrame());
    }
    run.End();
    std::printf("game_frames room=rmSnow %s\n", FrameSummary(costs).c_str());
    return 0;
}
