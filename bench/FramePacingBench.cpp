// Frame pacing of the real frame loop without a window: frames at 60 per second, each frame's
// start compared with the ideal schedule, and the CPU time the loop burns per frame, for the
// default sleep margin (10 ms) and a 1 ms one.
//
//     build/bin/bench_frame_pacing [frames]      (default 3600, one minute per margin)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

#include "Platform/Clock.h"
#include "Platform/null/NullBackends.h"
#include "Runner/FrameLoop.h"
#include "Runner/RunnerState.h"

namespace {

int64_t CpuMicros() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (int64_t{usage.ru_utime.tv_sec} + usage.ru_stime.tv_sec) * 1'000'000 + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

int64_t Percentile(std::vector<int64_t> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1))];
}

void Measure(int32_t margin_ms, int frames) {
    RunnerState& runner = Runner();
    runner = RunnerState{};
    runner.major_version = 2;
    runner.game_speed = 60;
    runner.running = true;
    runner.sleep_margin_ms = margin_ms;

    NullWindow window;
    NullGraphicsDevice graphics;
    FrameLoop loop(SystemClock(), window, graphics);
    loop.Enter();
    loop.RunFrame(); // the schedule starts at the first frame
    const double first = static_cast<double>(runner.frame_start_us);
    std::vector<int64_t> errors;
    int64_t cpu_start = CpuMicros();
    for (int frame = 1; frame <= frames; ++frame) {
        loop.RunFrame();
        double ideal = first + frame * (1'000'000.0 / 60);
        errors.push_back(static_cast<int64_t>(std::abs(static_cast<double>(runner.frame_start_us) - ideal)));
    }
    int64_t cpu = CpuMicros() - cpu_start;
    std::printf("frame_start_error_us margin_ms=%d p50=%lld p99=%lld max=%lld\n", margin_ms,
                static_cast<long long>(Percentile(errors, 0.5)), static_cast<long long>(Percentile(errors, 0.99)),
                static_cast<long long>(*std::max_element(errors.begin(), errors.end())));
    std::printf("cpu_per_frame_us margin_ms=%d value=%lld\n", margin_ms, static_cast<long long>(cpu / frames));
}

} // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 3600;
    if (frames < 1) frames = 1;
    Measure(10, frames);
    Measure(1, frames);
    return 0;
}
