// Input recordings: how big a minute of play is, and how fast a recorded minute replays.
//
// A small game, 50 instances that step by random numbers and by the arrow and space keys, is
// played for a minute of steps (3600 at 60 per second) by a scripted player: right held for
// half a second every two seconds, space tapped every 45 steps, the mouse moved every tenth
// step. Its recording is replayed unpaced, as -playback does, and the digests compared. An
// idle minute (no input at all) is recorded too, for the floor.
//
//     build/bin/bench_replay [steps]      (default 3600)
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchWorld.h"
#include "Function/RandomFunctions.h"
#include "IO/InputConstants.h"
#include "IO/InputReplay.h"
#include "IO/InputState.h"
#include "IO/StateDigest.h"
#include "Object/InstanceLifecycle.h"
#include "Platform/Clock.h"
#include "Platform/null/NullBackends.h"
#include "Runner/FrameLoop.h"

namespace {

constexpr int kInstances = 50;

FunctionPair g_functions[] = {
    {"keyboard_check", -1}, {"keyboard_check_pressed", -1}, {"irandom", -1}, {nullptr, 0}};
VariablePair g_variables[] = {{"x", -1}, {"y", -1}, {nullptr, 0}};

void Walk(CInstance* self, CInstance* other) {
    Value x = BuiltinVar(self, g_variables[0]) + Call(self, other, g_functions[2], Value(2));
    if (Call(self, other, g_functions[0], Value(vk_right))) x = x + 1;
    SetBuiltinVar(self, g_variables[0], x);
    if (Call(self, other, g_functions[1], Value(vk_space)))
        SetBuiltinVar(self, g_variables[1], BuiltinVar(self, g_variables[1]) - 8);
}

struct Run {
    std::string error;
    std::string digest;
    int64_t steps = 0;
    double seconds = 0;
};

// Plays `steps` steps of the game: recording to `path` with the scripted player (or none), or
// replaying `path`.
Run Play(const std::string& path, int64_t steps, bool playback, bool player) {
    Run run;
    BenchWorld world("ReplayBench");
    int32_t walker = world.AddObject("oWalker");
    world.AddEvent(walker, ev_step, ev_step_normal, Walk);
    world.AddRoom("rmBench", 1280, 720);
    if (!world.Start(0, g_variables)) {
        run.error = world.Error();
        return run;
    }
    for (FunctionPair* function = g_functions; function->name; ++function)
        function->index = FindBuiltin(function->name);
    for (int i = 0; i < kInstances; ++i) CreateInstance(float(i * 20), 300, 0, walker);

    const RecordingIdentity game = MakeRecordingIdentity("ReplayBench", 0, {});
    run.error = playback ? RunnerReplay().StartPlayback(path, game)
                         : RunnerReplay().StartRecording(path, game);
    if (!run.error.empty()) return run;
    RandomizeFromClock();

    ManualClock clock;
    NullWindow window;
    NullGraphicsDevice graphics;
    FrameLoop loop(clock, window, graphics);
    // Recording too runs unpaced: the manual clock stands for a minute of real time.
    Runner().sleep_enabled = false;
    loop.Enter();
    uint64_t jitter = 88172645463325252ull;
    RunDigest digest; // folded every step, so the two runs compare frame by frame
    const auto start = std::chrono::steady_clock::now();
    for (; run.steps < steps && !RunnerReplay().Finished() && Runner().running; ++run.steps) {
        if (player) {
            const int64_t step = run.steps;
            if (step % 120 == 0) window.PostKey(vk_right, true);
            if (step % 120 == 30) window.PostKey(vk_right, false);
            if (step % 45 == 0) window.PostKey(vk_space, true);
            if (step % 45 == 3) window.PostKey(vk_space, false);
            if (step % 10 == 0) window.PostMouseMove(double(step % 640), double(step % 360));
        }
        // A real frame's time wanders around its ideal by up to a quarter millisecond.
        jitter ^= jitter << 13, jitter ^= jitter >> 7, jitter ^= jitter << 17;
        clock.Advance(16'667 + int64_t(jitter % 500) - 250);
        loop.RunTurn();
        digest.FoldFrame();
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.digest = GameStateDigestLine(digest);
    RunnerReplay().Stop();
    RunnerInput() = InputState{};
    return run;
}

} // namespace

int main(int argc, char** argv) {
    const int64_t steps = argc > 1 ? std::atoll(argv[1]) : 3600;
    const std::string folder = std::filesystem::temp_directory_path() / "bench_replay";
    std::filesystem::create_directories(folder);
    const std::string played = folder + "/played.rec", idle = folder + "/idle.rec";

    Run recorded = Play(played, steps, false, true);
    Run quiet = Play(idle, steps, false, false);
    Run replayed = Play(played, steps, true, false);
    for (const Run* run : {&recorded, &quiet, &replayed})
        if (!run->error.empty()) {
            std::fprintf(stderr, "bench_replay: %s\n", run->error.c_str());
            return 1;
        }
    const double minutes = double(steps) / 3600;
    const auto size = [](const std::string& path) {
        return double(std::filesystem::file_size(path));
    };
    std::printf("%" PRId64 " steps (%.2f minutes at 60 steps per second), %d instances\n", steps,
                minutes, kInstances);
    std::printf("recording, scripted player: %8.0f bytes per minute (%.2f bytes per step)\n",
                size(played) / minutes, size(played) / double(steps));
    std::printf("recording, idle:            %8.0f bytes per minute (%.2f bytes per step)\n",
                size(idle) / minutes, size(idle) / double(steps));
    std::printf("replay: %" PRId64 " steps in %.3f s: %.0f frames per second (%.0fx real time)\n",
                replayed.steps, replayed.seconds, double(replayed.steps) / replayed.seconds,
                double(replayed.steps) / replayed.seconds / 60);
    const bool same = replayed.digest == recorded.digest;
    std::printf("digest recorded: %s\ndigest replayed: %s (%s)\n", recorded.digest.c_str(),
                replayed.digest.c_str(), same ? "same" : "DIFFERENT");
    return same ? 0 : 1;
}
