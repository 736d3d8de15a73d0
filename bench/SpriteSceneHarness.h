// The moving-sprites scene and the search for how many sprites fit in a 60 fps frame, shared by
// every program that measures sprite throughput so that they all move, time and report the same
// way. A program supplies only the drawing: a callback that draws the scene's sprites and shows
// the frame in its window. Needs a current OpenGL context (the frame ends with glFinish).
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <vector>

// Sprites of one size drawn into a surface, which the window shows at `scale`; with a scale
// of 1 the surface is the window itself.
struct SpriteSceneSize {
    int sprite_w;
    int sprite_h;
    int surface_w;
    int surface_h;
    int scale;

    int WindowWidth() const { return surface_w * scale; }
    int WindowHeight() const { return surface_h * scale; }
};

inline constexpr SpriteSceneSize kPixelArtSpriteScene{16, 16, 320, 180, 2};
inline constexpr SpriteSceneSize kLargeSpriteScene{26, 37, 800, 600, 1};
inline constexpr SpriteSceneSize kSpriteScenes[] = {kPixelArtSpriteScene, kLargeSpriteScene};

// Added to each sprite's vertical velocity every frame.
inline constexpr float kSpriteSceneGravity = 0.2f;

// Top-left corner and velocity in surface pixels (per frame).
struct MovingSprite {
    float x;
    float y;
    float vx;
    float vy;
};

class SpriteScene {
public:
    // The same size, count and seed always give the same sprites.
    SpriteScene(const SpriteSceneSize& size, int count, uint64_t seed = 0x5eed5eedULL);

    // One frame of motion: gravity, then bounces off the surface's edges.
    void Step();

    const SpriteSceneSize& Size() const { return size_; }
    std::span<const MovingSprite> Sprites() const { return sprites_; }

private:
    SpriteSceneSize size_;
    std::vector<MovingSprite> sprites_;
};

// One RGBA texture page (8 bits a channel, top row first) holding each scene's sprite image:
// opaque in the middle, half transparent at the rim, clear outside, so blending does work.
struct SpritePage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

struct SpritePageRect {
    int x;
    int y;
    int w;
    int h;
};

SpritePage MakeSpritePage();
// Where the sprite image of a scene's size sits on the page.
SpritePageRect SpritePageRectFor(const SpriteSceneSize& size);

// Draws the scene's current sprites (into the surface, then the surface to the window when the
// scale is above 1), shows the frame, and returns the number of draw calls it made.
using SpriteFrameDraw = std::function<int(const SpriteScene&)>;

struct SpriteSearchStep {
    int n;
    double mean_ms; // over the measured frames, or over those run before the budget was spent
    int draw_calls; // in the last frame
    bool within_budget;
};

struct SpriteSearchResult {
    int n = 0; // 0 when even the first count misses the budget
    int draw_calls = 0;
    std::vector<SpriteSearchStep> steps;
};

inline constexpr int kSpriteSearchStartCount = 500;
inline constexpr int kSpriteSearchWarmupFrames = 30;
inline constexpr int kSpriteSearchMeasuredFrames = 180;
inline constexpr double kSpriteSearchBudgetMs = 1000.0 / 60.0;
// Bounds the run however fast the drawing: 500 × 1.5^24 is over 8 million sprites.
inline constexpr int kSpriteSearchMaxSteps = 24;
// How close to the true count the search gets: within 5 %.
inline constexpr double kSpriteSearchPrecision = 0.05;

// Grows the count from 500 by ×1.5 until the mean frame time exceeds 16.67 ms, then halves the
// gap between the last count within budget and the first over it until it is under 5 % of the
// count; the result is the largest count found within budget. Other processes' load only ever
// slows a frame, so a count over budget is tried a second time before the search believes it.
// Each try gets a fresh scene, 30 warm-up frames and 180 timed ones; a frame is timed over
// Step(), `draw` and a glFinish, so the program's vsync must be off.
// `trace`, when given, receives one line per count tried.
SpriteSearchResult FindSpritesAt60Fps(const SpriteSceneSize& size, const SpriteFrameDraw& draw,
                                      std::FILE* trace = nullptr);

// sprites_at_60fps scene=<sprite>@<surface>x<scale> program=<program> n=<N> drawcalls=<calls>
void PrintSpriteSearchResult(const SpriteSceneSize& size, const char* program,
                             const SpriteSearchResult& result);
