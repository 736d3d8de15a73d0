// Sprite throughput through the runner's drawing layer: the moving-sprites scenes drawn with the
// draw_sprite_ext built-in (called through the registry, as compiled code calls it) into a
// surface made with surface_create, shown with draw_surface_ext, on the runner's own OpenGL
// device. Prints the same line as bench_sprite_ceiling, with program=runner, so the two compare
// by script. Works without a display under SDL_VIDEODRIVER=offscreen.
#include <cstdio>
#include <cstring>
#include <string>

#include "Base/OutputChannel.h"
#include "Code/Builtins.h"
#include "Code/GameConstants.h"
#include "Graphics/GraphicsContext.h"
#include "Platform/PlatformServices.h"
#include "Runner/BuiltinWiring.h"
#include "Sprite/SpriteTable.h"
#include "SpriteSceneHarness.h"
#include "SpriteScenePackage.h"

namespace {

// Calls a built-in by name with number arguments.
class Builtin {
public:
    explicit Builtin(const char* name) : index_(FindBuiltin(name)) {}
    template <typename... Numbers>
    double operator()(Numbers... numbers) const {
        RValue values[] = {RealValue(double(numbers))..., RealValue(0)};
        RValue* argv[sizeof...(Numbers) + 1];
        for (size_t i = 0; i <= sizeof...(Numbers); ++i) argv[i] = &values[i];
        RValue result = RealValue(0);
        CallBuiltin(nullptr, nullptr, result, int(sizeof...(Numbers)), index_, argv);
        return result.Kind() == VALUE_REAL ? result.val : 0;
    }

private:
    int32_t index_;
};

class RunnerScene {
public:
    RunnerScene(PlatformServices& platform, const SpriteSceneSize& size)
        : platform_(platform), size_(size),
          graphics_(*platform.graphics, size.WindowWidth(), size.WindowHeight()) {
        SetActiveGraphics(&graphics_);
        AddSceneSprite(package_, size);
        LoadSprites(package_.sprites);
        graphics_.LoadPackage(package_);
        platform_.graphics->SetSwapInterval(0);
        if (size.scale > 1) surface_ = surface_create(size.surface_w, size.surface_h);
    }
    ~RunnerScene() {
        if (surface_ >= 0) surface_free(surface_);
        ClearSprites();
        SetActiveGraphics(nullptr);
    }
    RunnerScene(const RunnerScene&) = delete;
    RunnerScene& operator=(const RunnerScene&) = delete;

    int DrawFrame(const SpriteScene& scene) {
        platform_.graphics->BeginFrame();
        graphics_.BeginFrame();
        if (surface_ >= 0) surface_set_target(surface_);
        draw_clear_alpha(0x403020, 1);
        for (const MovingSprite& sprite : scene.Sprites())
            draw_sprite_ext(0, 0, sprite.x, sprite.y, 1, 1, 0, 0xFFFFFF, 1);
        if (surface_ >= 0) {
            surface_reset_target();
            draw_surface_ext(surface_, 0, 0, size_.scale, size_.scale, 0, 0xFFFFFF, 1);
        }
        graphics_.Flush();
        const int draw_calls = graphics_.Counters().draw_calls;
        platform_.graphics->Present();
        platform_.window->PumpEvents(events_);
        return draw_calls;
    }

private:
    struct IgnoreEvents final : PlatformEvents {
        void OnQuitRequested() override {}
        void OnWindowResized(int, int) override {}
    };

    PlatformServices& platform_;
    SpriteSceneSize size_;
    GamePackage package_;
    GraphicsContext graphics_;
    IgnoreEvents events_;
    double surface_ = -1;
    Builtin surface_create{"surface_create"}, surface_free{"surface_free"},
        surface_set_target{"surface_set_target"}, surface_reset_target{"surface_reset_target"},
        draw_clear_alpha{"draw_clear_alpha"}, draw_sprite_ext{"draw_sprite_ext"},
        draw_surface_ext{"draw_surface_ext"};
};

} // namespace

int main(int argc, char** argv) {
    const bool verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    std::string registration_log;
    DebugOutput().CaptureTo(&registration_log); // the registry's group labels are not figures
    RegisterBuiltinFunctions();
    DebugOutput().CaptureTo(nullptr);
    for (const SpriteSceneSize& size : kSpriteScenes) {
        PlatformServices platform = CreateDesktopPlatform();
        std::string error;
        if (!OpenDesktopWindow(platform, size.WindowWidth(), size.WindowHeight(), "moving sprites", error)) {
            std::fprintf(stderr, "bench_sprite_runner: %s\n", error.c_str());
            return 1;
        }
        SpriteSearchResult result;
        {
            RunnerScene runner(platform, size);
            result = FindSpritesAt60Fps(
                size, [&runner](const SpriteScene& scene) { return runner.DrawFrame(scene); },
                verbose ? stderr : nullptr);
        }
        PrintSpriteSearchResult(size, "runner", result);
        // The device goes before the window that holds its context.
        platform.graphics.reset();
        platform.window.reset();
    }
    return 0;
}
