// Frame pacing of the real frame loop without a window: frames at 60 per second, each frame's
// start compared with the ideal schedule, and the CPU time the loop burns per frame, for the
// default sleep margin (10 ms) and a 1 ms one. Other processes' share of the machine during
// each run is printed too: on a busy machine wake-ups are late and the figures worse.
//
//     build/bin/bench_frame_pacing [frames]      (default 3600, one minute per margin)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "Base/RunnerState.h"
#include "Platform/Clock.h"
#include "Platform/null/NullBackends.h"
#include "Runner/FrameLoop.h"

namespace {

int64_t CpuMicros() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (int64_t{usage.ru_utime.tv_sec} + usage.ru_stime.tv_sec) * 1'000'000 + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

// The machine's busy and total CPU time over all cores, in clock ticks.
struct MachineCpu {
    int64_t busy = 0;
    int64_t total = 0;
};

MachineCpu ReadMachineCpu() {
    std::ifstream stat("/proc/stat");
    std::string label;
    int64_t user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0, steal = 0;
    stat >> label >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
    MachineCpu cpu;
    cpu.busy = user + nice + system + irq + softirq + steal;
    cpu.total = cpu.busy + idle + iowait;
    return cpu;
}

// The share of the machine's CPU time between two readings that went to other processes than
// this one, which used own_cpu_us.
double OthersPercent(MachineCpu start, MachineCpu end, int64_t own_cpu_us) {
    const double ticks_per_us = static_cast<double>(sysconf(_SC_CLK_TCK)) / 1e6;
    const double others =
        static_cast<double>(end.busy - start.busy) - static_cast<double>(own_cpu_us) * ticks_per_us;
    const double total = static_cast<double>(std::max<int64_t>(end.total - start.total, 1));
    return std::max(0.0, 100 * others / total);
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
    MachineCpu machine_start = ReadMachineCpu();
    for (int frame = 1; frame <= frames; ++frame) {
        loop.RunFrame();
        double ideal = first + frame * (1'000'000.0 / 60);
        errors.push_back(static_cast<int64_t>(std::abs(static_cast<double>(runner.frame_start_us) - ideal)));
    }
    int64_t cpu = CpuMicros() - cpu_start;
    MachineCpu machine_end = ReadMachineCpu();
    std::printf("frame_start_error_us margin_ms=%d p50=%lld p99=%lld max=%lld\n", margin_ms,
                static_cast<long long>(Percentile(errors, 0.5)), static_cast<long long>(Percentile(errors, 0.99)),
                static_cast<long long>(*std::max_element(errors.begin(), errors.end())));
    std::printf("cpu_per_frame_us margin_ms=%d value=%lld\n", margin_ms, static_cast<long long>(cpu / frames));
    std::printf("other_processes_cpu_percent margin_ms=%d value=%.1f\n", margin_ms,
                OthersPercent(machine_start, machine_end, cpu));
}

} // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 3600;
    if (frames < 1) frames = 1;
    Measure(10, frames);
    Measure(1, frames);
    return 0;
}
