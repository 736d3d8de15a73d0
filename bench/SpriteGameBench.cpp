// Sprite throughput with the whole object model running: the moving-sprites scenes as a game.
// N instances of one object move by the scenes' rules in their compiled Step event and are drawn
// by the default sprite drawing, in a room with views off drawn into the application surface,
// which the Draw stage copies to the window at the scene's scale. A frame is a whole turn of the
// frame loop, unpaced. First the ceiling program beside this one runs, so both figures come
// from the same run and the same machine load; then one line per scene, as the ceiling prints
// it with program=game, and the share of the ceiling reached.
//
//     build/bin/bench_sprite_game [-v]      (-v: each count tried, on stderr)
//
// Works without a display under SDL_VIDEODRIVER=offscreen.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "Graphics/GraphicsContext.h"
#include "Object/InstanceLifecycle.h"
#include "Platform/PlatformServices.h"
#include "Runner/FrameLoop.h"
#include "SpriteSceneHarness.h"
#include "SpriteScenePackage.h"

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

class MoverGame : public BenchWorld {
public:
    MoverGame(PlatformServices& platform, const SpriteSceneSize& size)
        : BenchWorld("SpriteGameBench"), platform_(platform),
          graphics_(*platform.graphics, size.surface_w, size.surface_h),
          loop_(*platform.clock, *platform.window, *platform.graphics) {
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
    GraphicsContext graphics_;
    FrameLoop loop_;
    int32_t object_ = -1;
    size_t movers_ = 0;
};

// Runs the ceiling program and keeps its count per scene, echoing its lines.
std::map<std::string, int> MeasureCeiling(const std::filesystem::path& folder) {
    std::map<std::string, int> counts;
    const std::string command = (folder / "bench_sprite_ceiling").string();
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return counts;
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        std::fputs(line, stdout);
        char scene[64];
        int n = 0;
        if (std::sscanf(line, "sprites_at_60fps scene=%63s program=%*s n=%d", scene, &n) == 2)
            counts[scene] = n;
    }
    pclose(pipe);
    return counts;
}

} // namespace

int main(int argc, char** argv) {
    const bool verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    const std::map<std::string, int> ceiling =
        MeasureCeiling(std::filesystem::absolute(argv[0]).parent_path());
    std::string registration_log;
    DebugOutput().CaptureTo(&registration_log); // the registry's group labels are not figures
    RegisterBuiltinFunctions();
    DebugOutput().CaptureTo(nullptr);
    int status = 0;
    for (const SpriteSceneSize& size : kSpriteScenes) {
        PlatformServices platform = CreateDesktopPlatform();
        std::string error;
        if (!OpenDesktopWindow(platform, size.WindowWidth(), size.WindowHeight(), "moving sprites", error)) {
            std::fprintf(stderr, "bench_sprite_game: %s\n", error.c_str());
            return 1;
        }
        SpriteSearchResult result;
        {
            MoverGame game(platform, size);
            if (game.Error().empty())
                result = FindSpritesAt60Fps(
                    size, [&game](const SpriteScene& scene) { return game.RunFrame(scene); },
                    verbose ? stderr : nullptr);
            if (!game.Error().empty()) {
                std::fprintf(stderr, "bench_sprite_game: %s\n", game.Error().c_str());
                status = 1;
            }
        }
        PrintSpriteSearchResult(size, "game", result);
        char scene[64];
        std::snprintf(scene, sizeof scene, "%dx%d@%dx%dx%d", size.sprite_w, size.sprite_h,
                      size.surface_w, size.surface_h, size.scale);
        if (auto found = ceiling.find(scene); found != ceiling.end() && found->second > 0)
            std::printf("share_of_ceiling scene=%s program=game percent=%.0f\n", scene,
                        100.0 * result.n / found->second);
        platform.graphics.reset();
        platform.window.reset();
    }
    return status;
}
