// Sprite throughput with the whole object model running: the moving-sprites scenes as a game.
// N instances of one object move by the scenes' rules in their compiled Step event and are drawn
// by the default sprite drawing, in a room with views off drawn into the application surface,
// which the Draw stage copies to the window at the scene's scale. A frame is a whole turn of the
// frame loop, unpaced.
//
// The machine's load moves both figures, so the ceiling program beside this one and the game
// take turns: each round runs the ceiling over every scene, then the game, and prints the
// game's share of that round's ceiling; the last lines give each scene's median share over the
// rounds. Then, per scene, where the game's frame goes at the count it reached in the last
// round: microseconds a frame in each stage of the frame loop, the graphics device's share of
// the drawing stages, and the wait for the rasteriser to finish.
//
//     build/bin/bench_sprite_game [-v] [-rounds N]     (-v: each count tried, on stderr;
//                                                        3 rounds by default)
//     build/bin/bench_sprite_game -at N,M              (only the breakdowns, at N sprites in
//                                                        the first scene and M in the second)
//
// Works without a display under SDL_VIDEODRIVER=offscreen.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <epoxy/gl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "BenchWorld.h"
#include "Graphics/GraphicsContext.h"
#include "Object/InstanceLifecycle.h"
#include "Platform/PlatformServices.h"
#include "Runner/FrameLoop.h"
#include "SpriteSceneHarness.h"
#include "SpriteScenePackage.h"
#include "TimedGraphicsDevice.h"

namespace {

VariablePair g_variables[] = {{"x", -1}, {"y", -1}, {nullptr, 0}};
const VariablePair& VAR_x = g_variables[0];
const VariablePair& VAR_y = g_variables[1];
constexpr int32_t SLOT_vx = 0;
constexpr int32_t SLOT_vy = 1;

// The farthest a sprite's corner goes, as the room's size less the sprite's.
double g_max_x = 0;
double g_max_y = 0;

// Bounces off the edge it crossed.
void Bounce(Value& position, RValue& velocity, double max) {
    if (position < Value(0)) {
        position = Value(0);
        Assign(velocity, -velocity);
    } else if (position > Value(max)) {
        position = Value(max);
        Assign(velocity, -velocity);
    }
}

void psl_Object_oMover_Step_0(CInstance* self, CInstance*) {
    RValue& vx = Var(self, SLOT_vx);
    RValue& vy = Var(self, SLOT_vy);
    vy += Value(kSpriteSceneGravity);
    Value x = BuiltinVar(self, VAR_x) + vx;
    Value y = BuiltinVar(self, VAR_y) + vy;
    Bounce(x, vx, g_max_x);
    Bounce(y, vy, g_max_y);
    SetBuiltinVar(self, VAR_x, x);
    SetBuiltinVar(self, VAR_y, y);
}

double ProcessCpuMicros() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto micros = [](const timeval& time) { return time.tv_sec * 1e6 + time.tv_usec; };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

double MicrosBetween(std::chrono::steady_clock::time_point from,
                     std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

// Microseconds a frame, by the frame loop's stages in the order they first ran.
struct FrameBreakdown {
    std::vector<std::pair<std::string, double>> stages;
    DeviceTimes device;
    int frames = 0;
    // CPU time of the whole process (the rasteriser's threads too): what the frame costs the
    // machine, which the load of other processes moves less than the wall-clock times.
    double cpu_us = 0;

    double& Stage(const std::string& name) {
        for (auto& [stage, us] : stages)
            if (stage == name) return us;
        return stages.emplace_back(name, 0.0).second;
    }
};

class MoverGame : public BenchWorld {
public:
    // `device` is platform's graphics device, timed.
    MoverGame(PlatformServices& platform, TimedGraphicsDevice& device, const SpriteSceneSize& size)
        : BenchWorld("SpriteGameBench"), platform_(platform), device_(device),
          graphics_(device, size.surface_w, size.surface_h),
          loop_(*platform.clock, *platform.window, device) {
        g_max_x = size.surface_w - size.sprite_w;
        g_max_y = size.surface_h - size.sprite_h;
        Package().header.window_width = uint32_t(size.surface_w);
        Package().header.window_height = uint32_t(size.surface_h);
        object_ = AddObject("oMover", AddSceneSprite(Package(), size));
        AddEvent(object_, ev_step, ev_step_normal, psl_Object_oMover_Step_0);
        AddRoom("rmField", uint32_t(size.surface_w), uint32_t(size.surface_h));
        Package().rooms.back()->colour = 0x203040;
        SetActiveGraphics(&graphics_);
        if (!Start(2, g_variables)) return;
        graphics_.LoadPackage(Loaded());
        platform_.graphics->SetSwapInterval(0);
        Runner().sleep_enabled = false;
        loop_.Enter();
    }
    ~MoverGame() { SetActiveGraphics(nullptr); }
    MoverGame(const MoverGame&) = delete;
    MoverGame& operator=(const MoverGame&) = delete;

    // A whole frame of the game, with as many movers as the scene has sprites, started where
    // the scene's are whenever the count changes. Returns the frame's draw calls.
    int RunFrame(const SpriteScene& scene) {
        if (movers_ != scene.Sprites().size()) Populate(scene);
        loop_.RunTurn();
        const DrawCounters& counters = graphics_.Counters();
        // Six vertices a mover, or the figure would not be the scene's.
        if (counters.vertices < int64_t(6 * movers_)) Fail("the frame did not draw every mover");
        return int(counters.draw_calls);
    }

    // Plays `frames` frames of `count` movers after a warm-up, timing each stage.
    FrameBreakdown Breakdown(const SpriteSceneSize& size, int count, int frames) {
        const SpriteScene scene(size, count);
        for (int frame = 0; frame < kSpriteSearchWarmupFrames; ++frame) {
            RunFrame(scene);
            glFinish();
        }
        FrameBreakdown breakdown;
        std::string stage = "Frame start";
        auto mark = std::chrono::steady_clock::now();
        const auto next_stage = [&](const char* name) {
            const auto now = std::chrono::steady_clock::now();
            breakdown.Stage(stage) += MicrosBetween(mark, now);
            stage = name;
            mark = now;
        };
        loop_.SetStageListener(next_stage);
        device_.Times() = {};
        const double cpu_start = ProcessCpuMicros();
        for (int frame = 0; frame < frames; ++frame) {
            stage = "Frame start";
            mark = std::chrono::steady_clock::now();
            RunFrame(scene);
            next_stage("Finish");
            glFinish();
            next_stage("");
        }
        loop_.SetStageListener(nullptr);
        breakdown.cpu_us = (ProcessCpuMicros() - cpu_start) / frames;
        breakdown.device = device_.Times();
        breakdown.frames = frames;
        for (auto& [name, us] : breakdown.stages)
            us /= frames;
        for (double* us : {&breakdown.device.clear_us, &breakdown.device.draw_target_us,
                           &breakdown.device.draw_window_us, &breakdown.device.set_target_us,
                           &breakdown.device.present_us})
            *us /= frames;
        return breakdown;
    }

private:
    void Populate(const SpriteScene& scene) {
        std::vector<CInstance*> old(CurrentRoom()->active.View().begin(),
                                    CurrentRoom()->active.View().end());
        for (CInstance* instance : old)
            DestroyInstance(instance, true);
        RemoveMarkedInstances();
        for (const MovingSprite& sprite : scene.Sprites()) {
            CInstance* instance = CreateInstance(sprite.x, sprite.y, 0, object_);
            Assign(Var(instance, SLOT_vx), Value(sprite.vx));
            Assign(Var(instance, SLOT_vy), Value(sprite.vy));
        }
        movers_ = scene.Sprites().size();
        ClearOutput();
    }

    PlatformServices& platform_;
    TimedGraphicsDevice& device_;
    GraphicsContext graphics_;
    FrameLoop loop_;
    int32_t object_ = -1;
    size_t movers_ = 0;
};

std::string SceneName(const SpriteSceneSize& size) {
    char scene[64];
    std::snprintf(scene, sizeof scene, "%dx%d@%dx%dx%d", size.sprite_w, size.sprite_h,
                  size.surface_w, size.surface_h, size.scale);
    return scene;
}

// The one-minute load average, for the record beside each round's figures.
std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string load;
    file >> load;
    return load.empty() ? "?" : load;
}

// Runs the ceiling program and keeps its count per scene, echoing its lines.
std::map<std::string, int> MeasureCeiling(const std::filesystem::path& folder) {
    std::map<std::string, int> counts;
    const std::string command = (folder / "bench_sprite_ceiling").string();
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return counts;
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        std::fputs(line, stdout);
        std::fflush(stdout);
        char scene[64];
        int n = 0;
        if (std::sscanf(line, "sprites_at_60fps scene=%63s program=%*s n=%d", scene, &n) == 2)
            counts[scene] = n;
    }
    pclose(pipe);
    return counts;
}

void PrintBreakdown(const std::string& scene, int n, const FrameBreakdown& breakdown) {
    double total = 0;
    for (const auto& [stage, us] : breakdown.stages)
        total += us;
    std::printf("frame_breakdown scene=%s program=game n=%d frames=%d us_per_frame=%.0f "
                "cpu_us_per_frame=%.0f\n",
                scene.c_str(), n, breakdown.frames, total, breakdown.cpu_us);
    const DeviceTimes& device = breakdown.device;
    for (const auto& [stage, us] : breakdown.stages) {
        std::printf("  %-22s %8.1f us", stage.c_str(), us);
        if (stage == "Draw")
            std::printf("   device: clears %.1f, draws into the surface %.1f, target changes %.1f",
                        device.clear_us, device.draw_target_us, device.set_target_us);
        else if (stage == "Flush")
            std::printf("   device: draws into the window %.1f", device.draw_window_us);
        else if (stage == "Present")
            std::printf("   device: swap %.1f", device.present_us);
        std::printf("\n");
    }
    std::fflush(stdout);
}

// One scene's game run: the count found at 60 fps and, when asked, the breakdown there.
struct GameRun {
    SpriteSearchResult result;
    FrameBreakdown breakdown;
    bool ok = true;
};

// Searches the count unless `fixed_count` is above 0; breaks the frame down at the count when
// asked.
GameRun RunGame(const SpriteSceneSize& size, bool verbose, bool break_down, int fixed_count) {
    GameRun run;
    PlatformServices platform = CreateDesktopPlatform();
    std::string error;
    if (!OpenDesktopWindow(platform, size.WindowWidth(), size.WindowHeight(), "moving sprites",
                           error)) {
        std::fprintf(stderr, "bench_sprite_game: %s\n", error.c_str());
        std::exit(1);
    }
    auto timed = std::make_unique<TimedGraphicsDevice>(std::move(platform.graphics));
    TimedGraphicsDevice& device = *timed;
    platform.graphics = std::move(timed);
    {
        MoverGame game(platform, device, size);
        if (game.Error().empty()) {
            if (fixed_count > 0)
                run.result.n = fixed_count;
            else
                run.result = FindSpritesAt60Fps(
                    size, [&game](const SpriteScene& scene) { return game.RunFrame(scene); },
                    verbose ? stderr : nullptr);
            if (break_down && run.result.n > 0)
                run.breakdown = game.Breakdown(size, run.result.n, kSpriteSearchMeasuredFrames);
        }
        if (!game.Error().empty()) {
            std::fprintf(stderr, "bench_sprite_game: %s\n", game.Error().c_str());
            run.ok = false;
        }
    }
    platform.graphics.reset();
    platform.window.reset();
    return run;
}

} // namespace

int main(int argc, char** argv) {
    bool verbose = false;
    int rounds = 3;
    int fixed_counts[2] = {0, 0};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-v") == 0)
            verbose = true;
        else if (std::strcmp(argv[i], "-rounds") == 0 && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "-at") == 0 && i + 1 < argc &&
                 std::sscanf(argv[++i], "%d,%d", &fixed_counts[0], &fixed_counts[1]) == 2) {
        } else {
            std::fprintf(stderr, "usage: bench_sprite_game [-v] [-rounds N] | -at N,M\n");
            return 1;
        }
    }
    static_assert(std::size(kSpriteScenes) == std::size(fixed_counts));
    rounds = std::max(rounds, 1);
    const std::filesystem::path folder = std::filesystem::absolute(argv[0]).parent_path();
    std::string registration_log;
    DebugOutput().CaptureTo(&registration_log); // the registry's group labels are not figures
    RegisterBuiltinFunctions();
    DebugOutput().CaptureTo(nullptr);

    int status = 0;
    if (fixed_counts[0] > 0) {
        for (size_t scene = 0; scene < std::size(kSpriteScenes); ++scene) {
            const SpriteSceneSize& size = kSpriteScenes[scene];
            const GameRun run = RunGame(size, verbose, true, fixed_counts[scene]);
            if (!run.ok) status = 1;
            PrintBreakdown(SceneName(size), run.result.n, run.breakdown);
        }
        return status;
    }
    std::map<std::string, std::vector<double>> shares;
    std::map<std::string, std::pair<int, FrameBreakdown>> breakdowns;
    for (int round = 1; round <= rounds; ++round) {
        std::printf("round %d of %d, load %s\n", round, rounds, LoadAverage().c_str());
        std::fflush(stdout);
        const std::map<std::string, int> ceiling = MeasureCeiling(folder);
        for (const SpriteSceneSize& size : kSpriteScenes) {
            const std::string scene = SceneName(size);
            GameRun run = RunGame(size, verbose, round == rounds, 0);
            if (!run.ok) status = 1;
            PrintSpriteSearchResult(size, "game", run.result);
            if (auto found = ceiling.find(scene); found != ceiling.end() && found->second > 0) {
                const double percent = 100.0 * run.result.n / found->second;
                shares[scene].push_back(percent);
                std::printf("share_of_ceiling scene=%s program=game percent=%.0f\n", scene.c_str(),
                            percent);
            }
            if (run.breakdown.frames > 0)
                breakdowns[scene] = {run.result.n, std::move(run.breakdown)};
        }
    }
    for (const SpriteSceneSize& size : kSpriteScenes) {
        const std::string scene = SceneName(size);
        std::vector<double>& percents = shares[scene];
        if (percents.empty()) continue;
        std::sort(percents.begin(), percents.end());
        std::printf("median_share_of_ceiling scene=%s program=game percent=%.0f rounds=%zu "
                    "lowest=%.0f highest=%.0f\n",
                    scene.c_str(), percents[percents.size() / 2], percents.size(), percents.front(),
                    percents.back());
    }
    std::printf("load %s\n", LoadAverage().c_str());
    for (const auto& [scene, found] : breakdowns)
        PrintBreakdown(scene, found.first, found.second);
    return status;
}
