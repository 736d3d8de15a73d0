// The drawing built-ins on the real OpenGL device without a display, compared with golden
// images: sprite frames (trimmed, scaled, mirrored, turned), a surface drawn into and drawn back
// transformed, the blend modes over a known background, and the shapes in colours and alpha.
// Scenes are a few dozen pixels wide so their PNGs stay tiny. A few pixels of each are also
// checked against the drawing rules, so that a picture rewritten without looking cannot hide a
// fault.
#include <cmath>
#include <cstdlib>
#include <memory>

#include "DrawingFixture.h"
#include "Platform/GlTestWindow.h"
#include "Platform/GoldenImage.h"

namespace {

using drawing_test::Entry;
using drawing_test::Sprite;

enum SpriteIndex { kQuarters, kTrimmed };

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kOrange{255, 128, 0, 255};
constexpr Rgba kMagenta{255, 0, 255, 255};
constexpr Rgba kCyan{0, 255, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kGrey{96, 96, 96, 255};
// Opaque, so any texel read from outside a picture shows.
constexpr Rgba kPadding{140, 70, 20, 255};
constexpr Rgba kNavy{20, 30, 60, 255};

// A colour as the built-ins take it: red in the low byte.
double Colour(const Rgba& colour) {
    return colour.r | colour.g << 8 | colour.b << 16;
}

// A 32x16 page. sQuarters' 8x8 frame at (0, 0): red, green, yellow and blue quarters clockwise
// from the top-left. sTrimmed's 6x4 picture at (8, 0): an orange top row over magenta (left)
// and cyan (right) halves.
PackageTexture QuartersAndTrimmedPage() {
    PackageTexture page;
    page.width = 32;
    page.height = 16;
    page.pixels.resize(size_t(page.width) * page.height * 4);
    const auto paint = [&page](int left, int top, int width, int height, const Rgba& colour) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x) {
                uint8_t* texel = &page.pixels[(size_t(y) * page.width + size_t(x)) * 4];
                texel[0] = uint8_t(colour.r);
                texel[1] = uint8_t(colour.g);
                texel[2] = uint8_t(colour.b);
                texel[3] = uint8_t(colour.a);
            }
    };
    paint(0, 0, 32, 16, kPadding);
    paint(0, 0, 4, 4, kRed);
    paint(4, 0, 4, 4, kGreen);
    paint(4, 4, 4, 4, kYellow);
    paint(0, 4, 4, 4, kBlue);
    paint(8, 0, 6, 1, kOrange);
    paint(8, 1, 3, 3, kMagenta);
    paint(11, 1, 3, 3, kCyan);
    return page;
}

class DrawingGolden : public BuiltinCallTest {
protected:
    // A window of the scene's size, a drawing context over its device with the page and the two
    // sprites loaded, and the frame begun. sQuarters: origin (4, 4). sTrimmed: a 16x16 frame
    // with origin (8, 8) whose picture sits at (3, 9) in it, off centre both ways.
    void Open(int width, int height) {
        std::string error;
        ASSERT_TRUE(window_.Open(width, height, error)) << error;
        width_ = width;
        height_ = height;
        graphics_ = std::make_unique<GraphicsContext>(window_.Device(), width, height);
        GamePackage package;
        package.textures = {QuartersAndTrimmedPage()};
        package::TexturePageEntry trimmed = Entry(8, 0, 6, 4, 0);
        trimmed.target_x = 3;
        trimmed.target_y = 9;
        trimmed.frame_width = trimmed.frame_height = 16;
        package.texture_page_entries = {Entry(0, 0, 8, 8, 0), trimmed};
        graphics_->LoadPackage(package);
        SetActiveGraphics(graphics_.get());
        LoadSprites({Sprite(8, 4, {0}), Sprite(16, 8, {1})});
        window_.Device().BeginFrame();
        graphics_->BeginFrame();
    }
    void TearDown() override {
        SetActiveGraphics(nullptr);
        ClearSprites();
        graphics_.reset();
        BuiltinCallTest::TearDown();
    }

    void SpriteExt(SpriteIndex sprite, double x, double y, double xscale, double yscale,
                   double angle, const Rgba& colour = kWhite, double alpha = 1) {
        Call("draw_sprite_ext", Num(sprite), Num(0), Num(x), Num(y), Num(xscale), Num(yscale),
             Num(angle), Num(Colour(colour)), Num(alpha));
    }
    void Rectangle(double x1, double y1, double x2, double y2, const Rgba& colour, bool outline) {
        const double c = Colour(colour);
        Call("draw_rectangle_color", Num(x1), Num(y1), Num(x2), Num(y2), Num(c), Num(c), Num(c),
             Num(c), Num(outline));
    }
    void ClearTo(const Rgba& colour, double alpha = 1) {
        Call("draw_clear_alpha", Num(Colour(colour)), Num(alpha));
    }

    // The window as drawn so far.
    RgbaImage Picture() {
        graphics_->Flush();
        return {width_, height_, window_.Device().ReadPixels(0, 0, width_, height_)};
    }

    GlTestWindow window_;
    std::unique_ptr<GraphicsContext> graphics_;
    int width_ = 0, height_ = 0;
};

// The pixel at (x, y) is `colour`, give or take `steps` per channel.
::testing::AssertionResult PixelIs(const RgbaImage& image, int x, int y, const Rgba& colour,
                                   int steps = 1) {
    const Rgba drawn = PixelAt(image.pixels, image.width, x, y);
    if (std::abs(drawn.r - colour.r) <= steps && std::abs(drawn.g - colour.g) <= steps &&
        std::abs(drawn.b - colour.b) <= steps && std::abs(drawn.a - colour.a) <= steps)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at (" << x << ", " << y << "): " << drawn << " instead of " << colour;
}

// `colour` drawn with `alpha` over an opaque `background` in the normal blend mode, the alpha
// first made a byte as vertex colours make it.
Rgba Over(const Rgba& colour, double alpha, const Rgba& background) {
    const double a = std::trunc(alpha * 255) / 255;
    const auto mix = [a](int source, int destination) {
        return int(std::lround(source * a + destination * (1 - a)));
    };
    return {mix(colour.r, background.r), mix(colour.g, background.g), mix(colour.b, background.b),
            255};
}

// Top: sTrimmed as it stands, doubled and mirrored, each in the grey outline of its untrimmed
// frame. Bottom: sQuarters doubled, mirrored, flipped, and both at once with uneven scales.
TEST_F(DrawingGolden, TrimmedScaledAndMirroredSprites) {
    ASSERT_NO_FATAL_FAILURE(Open(80, 48));
    ClearTo(kNavy);
    Rectangle(0, 0, 15, 15, kGrey, true);
    Call("draw_sprite", Num(kTrimmed), Num(0), Num(8), Num(8));
    Rectangle(20, 0, 51, 31, kGrey, true);
    SpriteExt(kTrimmed, 36, 16, 2, 2, 0);
    Rectangle(56, 0, 71, 15, kGrey, true);
    SpriteExt(kTrimmed, 64, 8, -1, 1, 0);
    SpriteExt(kQuarters, 8, 40, 2, 2, 0);
    SpriteExt(kQuarters, 28, 40, -2, 2, 0);
    SpriteExt(kQuarters, 48, 40, 2, -2, 0);
    SpriteExt(kQuarters, 68, 40, -1, -2, 0);

    const RgbaImage image = Picture();
    // The picture at its target offset (3, 9) from the frame's corner, origin at (8, 8).
    EXPECT_TRUE(PixelIs(image, 3, 9, kOrange));
    EXPECT_TRUE(PixelIs(image, 3, 10, kMagenta));
    EXPECT_TRUE(PixelIs(image, 8, 12, kCyan));
    EXPECT_TRUE(PixelIs(image, 9, 10, kNavy));
    EXPECT_TRUE(PixelIs(image, 3, 13, kNavy));
    // Doubled, the offset doubles: from (36 - 10, 16 + 2), 12x8.
    EXPECT_TRUE(PixelIs(image, 26, 18, kOrange));
    EXPECT_TRUE(PixelIs(image, 26, 20, kMagenta));
    EXPECT_TRUE(PixelIs(image, 37, 25, kCyan));
    EXPECT_TRUE(PixelIs(image, 38, 25, kNavy));
    // Mirrored about x = 64: x 63 to 68, cyan now on the left.
    EXPECT_TRUE(PixelIs(image, 63, 10, kCyan));
    EXPECT_TRUE(PixelIs(image, 68, 10, kMagenta));
    EXPECT_TRUE(PixelIs(image, 62, 10, kNavy));
    // sQuarters' corners: as drawn, mirrored, flipped, and turned half round.
    EXPECT_TRUE(PixelIs(image, 0, 32, kRed));
    EXPECT_TRUE(PixelIs(image, 15, 47, kYellow));
    EXPECT_TRUE(PixelIs(image, 20, 32, kGreen));
    EXPECT_TRUE(PixelIs(image, 35, 47, kBlue));
    EXPECT_TRUE(PixelIs(image, 40, 32, kBlue));
    EXPECT_TRUE(PixelIs(image, 55, 47, kGreen));
    EXPECT_TRUE(PixelIs(image, 64, 32, kYellow));
    EXPECT_TRUE(PixelIs(image, 71, 47, kRed));
    EXPECT_TRUE(PixelIs(image, 72, 40, kNavy));
    EXPECT_TRUE(MatchesGoldenImage(image, "Graphics/golden/sprites_trimmed_scaled.png"));
}

// sQuarters doubled and turned 90 degrees (counter-clockwise), then 30; sTrimmed turned 90
// about its origin; sQuarters at 210 degrees tinted yellow at half alpha over a white bar.
TEST_F(DrawingGolden, TurnedSprites) {
    ASSERT_NO_FATAL_FAILURE(Open(64, 48));
    ClearTo(kNavy);
    SpriteExt(kQuarters, 12, 12, 2, 2, 90);
    SpriteExt(kQuarters, 40, 14, 2, 2, 30);
    Rectangle(4, 28, 19, 43, kGrey, true);
    SpriteExt(kTrimmed, 12, 36, 1, 1, 90);
    Rectangle(34, 34, 62, 38, kWhite, false);
    SpriteExt(kQuarters, 48, 36, 2, 2, 210, kYellow, 0.5);

    const RgbaImage image = Picture();
    // A quarter turn counter-clockwise: the right edge points up.
    EXPECT_TRUE(PixelIs(image, 4, 4, kGreen));
    EXPECT_TRUE(PixelIs(image, 19, 4, kYellow));
    EXPECT_TRUE(PixelIs(image, 19, 19, kBlue));
    EXPECT_TRUE(PixelIs(image, 4, 19, kRed));
    EXPECT_TRUE(PixelIs(image, 3, 12, kNavy));
    EXPECT_TRUE(PixelIs(image, 20, 12, kNavy));
    // The trimmed picture's offsets turn too: x from 12 + 1 to 12 + 5, y from 36 - 1 to 36 + 5;
    // its top row (orange) ends up on the left.
    EXPECT_TRUE(PixelIs(image, 13, 36, kOrange));
    EXPECT_TRUE(PixelIs(image, 16, 36, kCyan));
    EXPECT_TRUE(PixelIs(image, 16, 39, kMagenta));
    EXPECT_TRUE(PixelIs(image, 12, 36, kNavy));
    EXPECT_TRUE(PixelIs(image, 17, 36, kNavy));
    EXPECT_TRUE(MatchesGoldenImage(image, "Graphics/golden/sprites_turned.png"));
}

// A 16x12 surface cleared to half-transparent teal, with a white border, sQuarters and an
// orange bar; drawn as it is, doubled, turned 90 degrees, and mirrored, tinted yellow at half
// alpha.
TEST_F(DrawingGolden, ASurfaceDrawnIntoAndDrawnTransformed) {
    ASSERT_NO_FATAL_FAILURE(Open(64, 48));
    ClearTo(kNavy);
    const double surface = Number("surface_create", Num(16), Num(12));
    ASSERT_GE(surface, 0);
    ASSERT_TRUE(Call("surface_set_target", Num(surface)).val != 0);
    const Rgba teal{32, 128, 128, 255};
    ClearTo(teal, 0.5);
    Rectangle(0, 0, 15, 11, kWhite, true);
    SpriteExt(kQuarters, 5, 5, 1, 1, 0);
    Rectangle(10, 2, 13, 9, kOrange, false);
    ASSERT_TRUE(Call("surface_reset_target").val != 0);

    Call("draw_surface", Num(surface), Num(2), Num(2));
    Call("draw_surface_ext", Num(surface), Num(24), Num(2), Num(2), Num(2), Num(0),
         Num(Colour(kWhite)), Num(1));
    Call("draw_surface_ext", Num(surface), Num(4), Num(46), Num(1), Num(1), Num(90),
         Num(Colour(kWhite)), Num(1));
    Call("draw_surface_ext", Num(surface), Num(60), Num(30), Num(-1), Num(1), Num(0),
         Num(Colour(kYellow)), Num(0.5));

    const RgbaImage image = Picture();
    // As it is: its top-left corner at (2, 2), sQuarters at (3, 3) in it.
    EXPECT_TRUE(PixelIs(image, 2, 2, kWhite));
    EXPECT_TRUE(PixelIs(image, 3, 3, kRed));
    EXPECT_TRUE(PixelIs(image, 13, 4, kOrange));
    EXPECT_TRUE(PixelIs(image, 18, 2, kNavy));
    // Doubled: 32x24 from (24, 2).
    EXPECT_TRUE(PixelIs(image, 26, 4, kRed));
    EXPECT_TRUE(PixelIs(image, 55, 25, kWhite));
    EXPECT_TRUE(PixelIs(image, 56, 25, kNavy));
    // Turned a quarter about its top-left corner at (4, 46): its top edge runs up the left.
    EXPECT_TRUE(PixelIs(image, 5, 44, kRed));
    EXPECT_TRUE(PixelIs(image, 5, 37, kGreen));
    EXPECT_TRUE(PixelIs(image, 12, 44, kBlue));
    // Where the surface was only cleared, its half-alpha teal lies over navy.
    EXPECT_TRUE(PixelIs(image, 3, 12, Over(teal, 0.5, kNavy)));
    EXPECT_TRUE(MatchesGoldenImage(image, "Graphics/golden/surface_transformed.png"));
}

// Five columns over an orange band (top) and a blue one (bottom): normal, add, max, subtract,
// and multiply (destination colour, zero). In each, sQuarters doubled at full alpha over the top
// band and at half alpha over the bottom one.
TEST_F(DrawingGolden, BlendModesOverAKnownBackground) {
    ASSERT_NO_FATAL_FAILURE(Open(96, 48));
    const Rgba top{200, 100, 50, 255}, bottom{40, 80, 160, 255};
    ClearTo(top);
    Rectangle(0, 24, 95, 47, bottom, false);
    const auto column = [this](int index) {
        const double x = 2 + 19 * index + 8;
        SpriteExt(kQuarters, x, 11, 2, 2, 0);
        SpriteExt(kQuarters, x, 35, 2, 2, 0, kWhite, 0.5);
    };
    Call("gpu_set_blendmode", Num(bm_normal));
    column(0);
    Call("gpu_set_blendmode", Num(bm_add));
    column(1);
    Call("gpu_set_blendmode", Num(bm_max));
    column(2);
    Call("gpu_set_blendmode", Num(bm_subtract));
    column(3);
    Call("gpu_set_blendmode_ext", Num(bm_dest_colour), Num(bm_zero));
    column(4);
    Call("gpu_set_blendmode", Num(bm_normal));

    const RgbaImage image = Picture();
    // Red quarters at full alpha over (200, 100, 50). Normal replaces; add saturates red; max
    // keeps the destination times one minus the source, so green and blue stay; subtract keeps
    // only that; multiply keeps red times red.
    EXPECT_TRUE(PixelIs(image, 2, 3, kRed));
    EXPECT_TRUE(PixelIs(image, 21, 3, Rgba{255, 100, 50, 255}));
    EXPECT_TRUE(PixelIs(image, 40, 3, Rgba{255, 100, 50, 255}));
    EXPECT_TRUE(PixelIs(image, 59, 3, Rgba{0, 100, 50, 255}));
    EXPECT_TRUE(PixelIs(image, 78, 3, Rgba{200, 0, 0, 255}));
    // Normal at half alpha over the bottom band.
    EXPECT_TRUE(PixelIs(image, 2, 27, Over(kRed, 0.5, bottom)));
    // Between the columns the bands are untouched.
    EXPECT_TRUE(PixelIs(image, 19, 3, top));
    EXPECT_TRUE(PixelIs(image, 19, 40, bottom));
    EXPECT_TRUE(MatchesGoldenImage(image, "Graphics/golden/blend_modes.png"));
}

// Filled and outlined rectangles (one with four corner colours), rounded rectangles and
// triangles in the draw colour; then half-alpha shapes over them.
TEST_F(DrawingGolden, ShapesInColoursAndAlpha) {
    ASSERT_NO_FATAL_FAILURE(Open(64, 48));
    ClearTo(kNavy);
    Call("draw_rectangle_color", Num(2), Num(2), Num(21), Num(13), Num(Colour(kRed)),
         Num(Colour(kGreen)), Num(Colour(kBlue)), Num(Colour(kWhite)), Num(false));
    Rectangle(24, 2, 39, 13, kYellow, true);
    Call("draw_set_colour", Num(Colour(kOrange)));
    Call("draw_roundrect", Num(42), Num(2), Num(61), Num(13), Num(false));
    Call("draw_set_colour", Num(Colour(kCyan)));
    Call("draw_roundrect", Num(2), Num(17), Num(21), Num(30), Num(true));
    Call("draw_set_colour", Num(Colour(kMagenta)));
    Call("draw_triangle", Num(24), Num(30), Num(32), Num(17), Num(40), Num(30), Num(false));
    Call("draw_set_colour", Num(Colour(kWhite)));
    Call("draw_triangle", Num(42), Num(30), Num(61), Num(17), Num(61), Num(30), Num(true));

    Call("draw_set_alpha", Num(0.5));
    Rectangle(12, 24, 51, 37, kGreen, false);
    Rectangle(2, 34, 61, 45, kRed, true);
    Call("draw_set_colour", Num(Colour(kWhite)));
    Call("draw_roundrect", Num(6), Num(38), Num(29), Num(44), Num(false));
    Call("draw_triangle", Num(34), Num(44), Num(46), Num(36), Num(58), Num(44), Num(true));
    Call("draw_set_alpha", Num(1));

    const RgbaImage image = Picture();
    // Corner colours on their corners (blended a little towards the others at the pixel
    // centres), both corner pixels covered.
    EXPECT_TRUE(PixelIs(image, 2, 2, kRed, 24));
    EXPECT_TRUE(PixelIs(image, 21, 2, kGreen, 24));
    EXPECT_TRUE(PixelIs(image, 21, 13, kBlue, 24));
    EXPECT_TRUE(PixelIs(image, 2, 13, kWhite, 24));
    EXPECT_TRUE(PixelIs(image, 1, 2, kNavy));
    EXPECT_TRUE(PixelIs(image, 22, 13, kNavy));
    // The outline covers its corner pixels and leaves its inside.
    EXPECT_TRUE(PixelIs(image, 24, 2, kYellow));
    EXPECT_TRUE(PixelIs(image, 39, 13, kYellow));
    EXPECT_TRUE(PixelIs(image, 30, 8, kNavy));
    // The filled rounded rectangle reaches its far edges in the middle, not in the corners.
    EXPECT_TRUE(PixelIs(image, 61, 8, kOrange));
    EXPECT_TRUE(PixelIs(image, 52, 13, kOrange));
    EXPECT_TRUE(PixelIs(image, 61, 13, kNavy));
    // Half-alpha green over navy, and over the magenta triangle.
    EXPECT_TRUE(PixelIs(image, 13, 33, Over(kGreen, 0.5, kNavy)));
    EXPECT_TRUE(PixelIs(image, 32, 28, Over(kGreen, 0.5, kMagenta)));
    EXPECT_TRUE(MatchesGoldenImage(image, "Graphics/golden/shapes.png"));
}

} // namespace
