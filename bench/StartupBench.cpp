// Start-up and memory against the smallest program that opens the same window: runs the game and
// bare_window (both beside this program; the window cleared, and with "-draw" a shader and a
// textured quad as well) in turn, each from a clean start, and times from the launch to the line
// each prints as its first picture comes: "SwitchRoom to rmTitle" for the game (the title's first
// frame is drawn in that turn), "first frame" for bare_window. Each is stopped half a second
// later, the title still showing, and its peak resident memory read. The game plays
// with a fresh, empty save folder, as on a first start. Needs a display; run it under a virtual
// one as a desktop would:
//
//     xvfb-run -s '-screen 0 1920x1080x24' build/bin/bench_startup [runs]
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Start {
    double ms = -1;      // to the marker line; -1 when it never came
    long peak_kib = 0;   // peak resident memory
};

// Launches the program with its output on a pipe, waits for the marker, lets it run on a while
// and stops it.
Start Launch(const std::string& program, const std::string& argument, const std::string& marker,
             const std::vector<std::string>& env) {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> environment(env);
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    std::vector<char*> envp, argv{const_cast<char*>(program.c_str())};
    if (!argument.empty()) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const Clock::time_point launched = Clock::now();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    Start start;
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "bench_startup: cannot start %s\n", program.c_str());
        return start;
    }
    std::string seen;
    Clock::time_point stop_at = launched + std::chrono::seconds(20);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(stop_at - Clock::now()).count();
        if (left <= 0) break;
        pollfd reader{out[0], POLLIN, 0};
        if (poll(&reader, 1, int(left)) <= 0) continue;
        char buffer[4096];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0) break;
        seen.append(buffer, size_t(got));
        if (start.ms < 0 && seen.find(marker) != std::string::npos) {
            start.ms = std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
            stop_at = Clock::now() + std::chrono::milliseconds(500);
        }
    }
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    close(out[0]);
    start.peak_kib = usage.ru_maxrss;
    if (start.ms < 0) std::fprintf(stderr, "bench_startup: %s never printed \"%s\":\n%s\n", program.c_str(), marker.c_str(), seen.c_str());
    return start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::filesystem::path here = std::filesystem::canonical("/proc/self/exe").parent_path();
    struct Figures {
        const char* name;
        std::vector<double> ms, mib;
        void Add(const Start& start) { ms.push_back(start.ms), mib.push_back(start.peak_kib / 1024.0); }
    };
    Figures game{"game, to the title", {}, {}}, bare{"bare window, cleared", {}, {}}, drawn{"bare window, a quad drawn", {}, {}};
    for (int run = 0; run < runs; ++run) {
        const std::filesystem::path saves = std::filesystem::temp_directory_path() / ("bench_startup." + std::to_string(getpid()));
        std::filesystem::create_directories(saves);
        const Start played = Launch((here / "snowtide").string(), "", "SwitchRoom to rmTitle", {"XDG_DATA_HOME=" + saves.string()});
        std::filesystem::remove_all(saves);
        const Start cleared = Launch((here / "bare_window").string(), "", "first frame", {});
        const Start quad = Launch((here / "bare_window").string(), "-draw", "first frame", {});
        if (played.ms < 0 || cleared.ms < 0 || quad.ms < 0) return 1;
        game.Add(played), bare.Add(cleared), drawn.Add(quad);
    }
    std::printf("%d runs of each, in turn; medians (min-max)\n", runs);
    for (const Figures* f : {&game, &bare, &drawn}) {
        const auto [ms_low, ms_high] = std::minmax_element(f->ms.begin(), f->ms.end());
        const auto [mib_low, mib_high] = std::minmax_element(f->mib.begin(), f->mib.end());
        std::printf("%-28s launch to first frame %6.1f ms (%.1f-%.1f)   peak resident %6.1f MiB (%.1f-%.1f)\n", f->name,
                    Median(f->ms), *ms_low, *ms_high, Median(f->mib), *mib_low, *mib_high);
    }
    for (const Figures* base : {&bare, &drawn})
        std::printf("the game against the %s: %+.1f ms, %+.1f MiB\n", base->name, Median(game.ms) - Median(base->ms),
                    Median(game.mib) - Median(base->mib));
    return 0;
}
