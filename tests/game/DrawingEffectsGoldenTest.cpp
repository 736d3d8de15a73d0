// The game's drawing effects on OpenGL without a display, compared with golden images in
// game/golden/. Each picture also holds plain drawings of the same sprite or text made with the
// runner's built-ins, and the effects are checked against them pixel by pixel, so that a golden
// rewritten without looking cannot bless a wrong picture. After a change to the effects or to
// the sprites and fonts in assets/, look at the pictures and rewrite them with
//     RUNNER_UPDATE_GOLDEN=1 build/bin/game_tests --gtest_filter='DrawingEffectsGolden.*'
#include "GameFixture.h"
#include "Platform/GlTestWindow.h"
#include "Platform/GoldenImage.h"

namespace {

constexpr int kCell = 48; // the sprite at (4, 4) in a cell; the sprite is at most 40 pixels
constexpr Rgba kBackground{32, 96, 64, 255};
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

// A colour as the runner takes it: red in the low byte.
Value RunnerColour(Rgba colour) {
    return Value(double(VertexColour(colour) & 0xFFFFFF));
}

struct Cell {
    int x, y;
};

class DrawingEffectsGolden : public GameFixture {
protected:
    void StartDrawing() {
        std::string error;
        ASSERT_TRUE(gl_.Open(320, 180, error)) << error;
        Start(&gl_.Device());
        gl_.Device().BeginFrame();
        graphics_->BeginFrame();
        painter_ = FirstOf(oInput);
        Builtin("draw_clear_alpha", RunnerColour(kBackground), Value(1));
    }
    RgbaImage Picture() {
        graphics_->Flush();
        return {320, 180, gl_.Device().ReadPixels(0, 0, 320, 180)};
    }
    double SpriteNumber(const char* what) { return Real(Builtin(what, Value(sConfigFaceButtons))); }
    // The painter's sprite placed with its box's top-left corner at (4, 4) in the cell.
    void Place(Cell cell, double xscale = 1, double scale = 1) {
        SetBuiltinVar(painter_, VAR_sprite_index, Value(sConfigFaceButtons));
        SetBuiltinVar(painter_, VAR_image_xscale, Value(xscale * scale));
        SetBuiltinVar(painter_, VAR_image_yscale, Value(scale));
        const double origin = SpriteNumber("sprite_get_xoffset");
        const double from_left = xscale > 0 ? origin : SpriteNumber("sprite_get_width") - origin;
        SetBuiltinVar(painter_, VAR_x, Value(cell.x + 4 + from_left * scale));
        SetBuiltinVar(painter_, VAR_y,
                      Value(cell.y + 4 + SpriteNumber("sprite_get_yoffset") * scale));
    }
    template <typename... Args>
    void Paint(ScriptFunction script, const Args&... args) {
        CallScript(script, painter_, painter_, Value(args)...);
    }

    GlTestWindow gl_;
    CInstance* painter_ = nullptr;
};

// Compares the cell `drawn` with what rule(pixel, in the sprite, next to it) makes of the plain
// sprite drawn in the cell `plain`.
template <typename Rule>
::testing::AssertionResult FollowsRule(const RgbaImage& image, Cell plain, Cell drawn, Rule rule) {
    const auto at = [&](Cell cell, int x, int y) {
        return PixelAt(image.pixels, image.width, cell.x + x, cell.y + y);
    };
    const auto sprite = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < kCell && y < kCell && at(plain, x, y) != kBackground;
    };
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const bool next =
                sprite(x - 1, y) || sprite(x + 1, y) || sprite(x, y - 1) || sprite(x, y + 1);
            const Rgba want = rule(at(plain, x, y), sprite(x, y), next);
            if (!Near(at(drawn, x, y), want))
                return ::testing::AssertionFailure()
                       << "at (" << x << ", " << y << ") of the cell: " << at(drawn, x, y)
                       << " instead of " << want;
        }
    return ::testing::AssertionSuccess();
}

Rgba Outlined(Rgba colour, Rgba outline, bool in_sprite, bool next) {
    return in_sprite ? colour : next ? outline : kBackground;
}

// Top row, by cells: the sprite plain, outlined, mirrored, mirrored with a red outline, as a
// yellow silhouette and as a green stencil. Second row: the sprite wrapped in from beyond the
// room's right and top edges, a gradient stencil, and the sprite doubled and black, outlined.
TEST_F(DrawingEffectsGolden, OutlinesSilhouettesStencilsAndWrapping) {
    StartDrawing();
    const Value sprite(sConfigFaceButtons);
    Place({0, 0});
    Builtin("draw_sprite", sprite, Value(0), BuiltinVar(painter_, VAR_x),
            BuiltinVar(painter_, VAR_y));
    Place({kCell, 0});
    Paint(psl_Script_draw_outline);
    Place({2 * kCell, 0}, -1);
    Builtin("draw_sprite_ext", sprite, Value(0), BuiltinVar(painter_, VAR_x),
            BuiltinVar(painter_, VAR_y), Value(-1), Value(1), Value(0), RunnerColour(kWhite),
            Value(1));
    Place({3 * kCell, 0}, -1);
    Paint(psl_Script_draw_outline, RunnerColour(kRed));
    Place({4 * kCell, 0});
    SetBuiltinVar(painter_, VAR_image_blend, RunnerColour(kYellow));
    Paint(psl_Script_draw_silhouette, 0, 0);
    SetBuiltinVar(painter_, VAR_image_blend, RunnerColour(kWhite));
    Paint(psl_Script_draw_stencil_with_gradient, sprite,
          5 * kCell + 4 + SpriteNumber("sprite_get_xoffset"),
          4 + SpriteNumber("sprite_get_yoffset"), RunnerColour(kGreen), RunnerColour(kGreen),
          RunnerColour(kGreen), RunnerColour(kGreen));
    Place({320, kCell - 180});
    Paint(psl_Script_draw_self_wrapped);
    Paint(psl_Script_draw_stencil_with_gradient, sprite,
          kCell + 4 + SpriteNumber("sprite_get_xoffset"),
          kCell + 4 + SpriteNumber("sprite_get_yoffset"), RunnerColour(kRed), RunnerColour(kYellow),
          RunnerColour(kGreen), RunnerColour({0, 0, 255, 255}));
    Place({2 * kCell, kCell}, 1, 2);
    Paint(psl_Script_draw_outline_ext, 0, 1);
    const RgbaImage image = Picture();

    const Cell plain{0, 0}, mirrored{2 * kCell, 0};
    EXPECT_TRUE(FollowsRule(image, plain, {kCell, 0}, [](Rgba c, bool in, bool next) {
        return Outlined(c, kBlack, in, next);
    }));
    EXPECT_TRUE(FollowsRule(image, mirrored, {3 * kCell, 0}, [](Rgba c, bool in, bool next) {
        return Outlined(c, kRed, in, next);
    }));
    EXPECT_TRUE(FollowsRule(image, plain, {4 * kCell, 0},
                            [](Rgba, bool in, bool) { return in ? kYellow : kBackground; }));
    EXPECT_TRUE(FollowsRule(image, plain, {5 * kCell, 0},
                            [](Rgba, bool in, bool) { return in ? kGreen : kBackground; }));
    EXPECT_TRUE(FollowsRule(image, plain, {0, kCell}, [](Rgba c, bool, bool) { return c; }));
    EXPECT_TRUE(MatchesGoldenImage(image, "game/golden/sprite_effects.png"));
}

// A prompt with a button glyph, and under it the same drawn piece by piece; two centred lines,
// and under them the same drawn by the runner's own centring.
TEST_F(DrawingEffectsGolden, SpriteTextAndCentredLines) {
    StartDrawing();
    Builtin("draw_set_font", GlobalValue("mireth_font"));
    Builtin("draw_set_colour", RunnerColour(kWhite));
    const std::string before = "Press ", after = " to jump!";
    Paint(psl_Script_draw_text_sprite, 4, 4, before + "\\sConfigFaceButtons:0" + after);
    const double pen = 4 + Real(Builtin("string_width", Value(before)));
    Builtin("draw_text", Value(4), Value(40), Value(before));
    Builtin("draw_sprite", Value(sConfigFaceButtons), Value(0),
            Value(pen + SpriteNumber("sprite_get_xoffset")),
            Value(40 + SpriteNumber("sprite_get_yoffset")));
    Builtin("draw_text", Value(pen + SpriteNumber("sprite_get_width")), Value(40), Value(after));
    const char* lines = "A gift for you\nMerry Snowtide!";
    Paint(psl_Script_draw_text_centered, 160, 80, lines);
    Builtin("draw_set_halign", Value(fa_center));
    Builtin("draw_text", Value(160), Value(130), Value(lines));
    const RgbaImage image = Picture();

    int ink = 0;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 320; ++x) {
            ASSERT_EQ(PixelAt(image.pixels, 320, x, 4 + y), PixelAt(image.pixels, 320, x, 40 + y))
                << x << ", " << y;
            ASSERT_EQ(PixelAt(image.pixels, 320, x, 80 + y), PixelAt(image.pixels, 320, x, 130 + y))
                << x << ", " << y;
            ink += PixelAt(image.pixels, 320, x, 4 + y) != kBackground;
        }
    EXPECT_GT(ink, 0);
    EXPECT_TRUE(MatchesGoldenImage(image, "game/golden/sprite_text.png"));
}

} // namespace
