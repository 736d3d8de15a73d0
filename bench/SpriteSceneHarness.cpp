// The moving-sprites scene, its texture page and the 60 fps search shared by the sprite
// throughput programs.
#include "SpriteSceneHarness.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <epoxy/gl.h>

namespace {

constexpr float kMaxStartSpeed = 2.0f;

// A generator of our own, so the start is the same whatever the standard library.
class SplitMix {
public:
    explicit SplitMix(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [low, high).
    float Between(float low, float high) {
        const double unit = static_cast<double>(Next() >> 11) * 0x1.0p-53;
        return low + static_cast<float>(unit) * (high - low);
    }

private:
    uint64_t state_;
};

void DrawSpriteImage(SpritePage& page, const SpritePageRect& rect) {
    const float rx = static_cast<float>(rect.w) / 2.0f;
    const float ry = static_cast<float>(rect.h) / 2.0f;
    for (int py = 0; py < rect.h; ++py) {
        for (int px = 0; px < rect.w; ++px) {
            const float dx = (static_cast<float>(px) + 0.5f - rx) / rx;
            const float dy = (static_cast<float>(py) + 0.5f - ry) / ry;
            const float d = dx * dx + dy * dy;
            uint8_t* texel = &page.rgba[(static_cast<size_t>(rect.y + py) * page.width +
                                         static_cast<size_t>(rect.x + px)) *
                                        4];
            texel[0] = static_cast<uint8_t>(255 * px / (rect.w - 1));
            texel[1] = static_cast<uint8_t>(255 * py / (rect.h - 1));
            texel[2] = 200;
            texel[3] = d < 0.6f ? 255 : d < 1.0f ? 128 : 0;
        }
    }
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

SpriteScene::SpriteScene(const SpriteSceneSize& size, int count, uint64_t seed) : size_(size) {
    SplitMix random(seed);
    const auto max_x = static_cast<float>(size.surface_w - size.sprite_w);
    const auto max_y = static_cast<float>(size.surface_h - size.sprite_h);
    sprites_.resize(static_cast<size_t>(count));
    for (MovingSprite& sprite : sprites_) {
        sprite.x = random.Between(0.0f, max_x);
        sprite.y = random.Between(0.0f, max_y);
        sprite.vx = random.Between(-kMaxStartSpeed, kMaxStartSpeed);
        sprite.vy = random.Between(-kMaxStartSpeed, kMaxStartSpeed);
    }
}

void SpriteScene::Step() {
    const auto max_x = static_cast<float>(size_.surface_w - size_.sprite_w);
    const auto max_y = static_cast<float>(size_.surface_h - size_.sprite_h);
    for (MovingSprite& sprite : sprites_) {
        sprite.vy += kSpriteSceneGravity;
        sprite.x += sprite.vx;
        sprite.y += sprite.vy;
        if (sprite.x < 0.0f) {
            sprite.x = 0.0f;
            sprite.vx = -sprite.vx;
        } else if (sprite.x > max_x) {
            sprite.x = max_x;
            sprite.vx = -sprite.vx;
        }
        if (sprite.y < 0.0f) {
            sprite.y = 0.0f;
            sprite.vy = -sprite.vy;
        } else if (sprite.y > max_y) {
            sprite.y = max_y;
            sprite.vy = -sprite.vy;
        }
    }
}

SpritePage MakeSpritePage() {
    SpritePage page;
    page.width = 64;
    page.height = 64;
    page.rgba.assign(static_cast<size_t>(page.width) * page.height * 4, 0);
    for (const SpriteSceneSize& size : kSpriteScenes) {
        DrawSpriteImage(page, SpritePageRectFor(size));
    }
    return page;
}

SpritePageRect SpritePageRectFor(const SpriteSceneSize& size) {
    // Side by side in scene order; the gap keeps nearest sampling off a neighbour's texels.
    constexpr int kGap = 4;
    int x = 0;
    for (const SpriteSceneSize& scene : kSpriteScenes) {
        if (scene.sprite_w == size.sprite_w && scene.sprite_h == size.sprite_h) break;
        x += scene.sprite_w + kGap;
    }
    return {x, 0, size.sprite_w, size.sprite_h};
}

SpriteSearchResult FindSpritesAt60Fps(const SpriteSceneSize& size, const SpriteFrameDraw& draw,
                                      std::FILE* trace) {
    SpriteSearchResult result;
    // One count tried: a fresh scene, warm-up frames, then the timed ones.
    const auto within_budget = [&](int n) {
        SpriteScene scene(size, n);
        int draw_calls = 0;
        for (int frame = 0; frame < kSpriteSearchWarmupFrames; ++frame) {
            scene.Step();
            draw_calls = draw(scene);
            glFinish();
        }

        // Each frame is timed from the motion to the finished pixels: glFinish, because
        // offscreen and with vsync off nothing else waits for the renderer to finish. Stopping
        // once the whole budget is spent cannot change the verdict, only the time taken.
        const double budget_total = kSpriteSearchBudgetMs * kSpriteSearchMeasuredFrames;
        double total_ms = 0.0;
        int measured = 0;
        while (measured < kSpriteSearchMeasuredFrames && total_ms <= budget_total) {
            const auto start = std::chrono::steady_clock::now();
            scene.Step();
            draw_calls = draw(scene);
            glFinish();
            total_ms += MillisecondsSince(start);
            ++measured;
        }

        const double mean_ms = total_ms / measured;
        const bool within =
            measured == kSpriteSearchMeasuredFrames && mean_ms <= kSpriteSearchBudgetMs;
        result.steps.push_back({n, mean_ms, draw_calls, within});
        if (trace) {
            std::fprintf(trace, "  n=%d mean=%.2f ms over %d frames drawcalls=%d%s\n", n, mean_ms,
                         measured, draw_calls, within ? "" : " (over budget)");
            std::fflush(trace);
        }
        if (within) {
            result.n = n;
            result.draw_calls = draw_calls;
        }
        return within;
    };

    const auto holds = [&](int n) { return within_budget(n) || within_budget(n); };

    int n = kSpriteSearchStartCount;
    int over = 0; // the first count found over budget
    for (int step = 0; step < kSpriteSearchMaxSteps; ++step, n = n * 3 / 2)
        if (!holds(n)) {
            over = n;
            break;
        }
    // Then halves the gap between the last count within budget and the first over it, to
    // within kSpriteSearchPrecision of the count.
    int low = result.n;
    while (low > 0 && over - low > low * kSpriteSearchPrecision) {
        const int middle = (low + over) / 2;
        if (holds(middle)) low = middle;
        else over = middle;
    }
    return result;
}

void PrintSpriteSearchResult(const SpriteSceneSize& size, const char* program,
                             const SpriteSearchResult& result) {
    std::printf("sprites_at_60fps scene=%dx%d@%dx%dx%d program=%s n=%d drawcalls=%d\n",
                size.sprite_w, size.sprite_h, size.surface_w, size.surface_h, size.scale, program,
                result.n, result.draw_calls);
    std::fflush(stdout);
}
