// The drawing built-ins on OpenGL without a display, against golden images and the pixels
// listed beside them: sprite frames trimmed, scaled, mirrored and turned, a surface drawn into
// and drawn back transformed, and shapes in colours and alpha.
#include <cmath>

#include "DrawingFixture.h"
#include "GlScene.h"
#include "GoldenPixels.h"

namespace {

using drawing_test::Entry;
using drawing_test::Sprite;

enum SpriteIndex { kQuarters, kTrimmed };

// Opaque, so any texel read from outside a picture shows.
constexpr Rgba kPadding{140, 70, 20, 255};

class DrawingGolden : public BuiltinCallTest {
protected:
    // sQuarters: origin (4, 4). sTrimmed: a 16x16 frame with origin (8, 8) whose picture sits
    // at (3, 9) in it, off centre both ways.
    void Open(int width, int height) {
        PackageTexture page = drawing_test::Page(32, 16);
        page.pixels = KeyPixels(DataLines("Graphics/data/quarters_and_trimmed_page.txt"), kPadding);
        GamePackage package;
        package.textures = {page};
        package::TexturePageEntry trimmed = Entry(8, 0, 6, 4, 0);
        trimmed.target_x = 3;
        trimmed.target_y = 9;
        trimmed.frame_width = trimmed.frame_height = 16;
        package.texture_page_entries = {Entry(0, 0, 8, 8, 0), trimmed};
        LoadSprites({Sprite(8, 4, {0}), Sprite(16, 8, {1})});
        ASSERT_TRUE(scene_.Open(width, height, package));
    }
    void TearDown() override {
        ClearSprites();
        BuiltinCallTest::TearDown();
    }

    void SpriteExt(SpriteIndex sprite, double x, double y, double xscale, double yscale,
                   double angle, const Rgba& colour = kWhite, double alpha = 1) {
        Call("draw_sprite_ext", Num(sprite), Num(0), Num(x), Num(y), Num(xscale), Num(yscale),
             Num(angle), Num(ColourOf(colour)), Num(alpha));
    }
    void Rectangle(double x1, double y1, double x2, double y2, const Rgba& colour, bool outline) {
        const double c = ColourOf(colour);
        Call("draw_rectangle_color", Num(x1), Num(y1), Num(x2), Num(y2), Num(c), Num(c), Num(c),
             Num(c), Num(outline));
    }
    void ClearTo(const Rgba& colour, double alpha = 1) {
        Call("draw_clear_alpha", Num(ColourOf(colour)), Num(alpha));
    }

    GlScene scene_;
};

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

    ExpectGolden(scene_.Picture(), "Graphics/golden/sprites_trimmed_scaled");
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

    ExpectGolden(scene_.Picture(), "Graphics/golden/sprites_turned");
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
         Num(ColourOf(kWhite)), Num(1));
    Call("draw_surface_ext", Num(surface), Num(4), Num(46), Num(1), Num(1), Num(90),
         Num(ColourOf(kWhite)), Num(1));
    Call("draw_surface_ext", Num(surface), Num(60), Num(30), Num(-1), Num(1), Num(0),
         Num(ColourOf(kYellow)), Num(0.5));

    const RgbaImage image = scene_.Picture();
    // Where the surface was only cleared, its half-alpha teal lies over navy.
    EXPECT_TRUE(PixelIs(image, 3, 12, Over(teal, 0.5, kNavy)));
    ExpectGolden(image, "Graphics/golden/surface_transformed");
}

// Filled and outlined rectangles (one with four corner colours), rounded rectangles and
// triangles in the draw colour; then half-alpha shapes over them.
TEST_F(DrawingGolden, ShapesInColoursAndAlpha) {
    ASSERT_NO_FATAL_FAILURE(Open(64, 48));
    ClearTo(kNavy);
    Call("draw_rectangle_color", Num(2), Num(2), Num(21), Num(13), Num(ColourOf(kRed)),
         Num(ColourOf(kGreen)), Num(ColourOf(kBlue)), Num(ColourOf(kWhite)), Num(false));
    Rectangle(24, 2, 39, 13, kYellow, true);
    Call("draw_set_colour", Num(ColourOf(kOrange)));
    Call("draw_roundrect", Num(42), Num(2), Num(61), Num(13), Num(false));
    Call("draw_set_colour", Num(ColourOf(kCyan)));
    Call("draw_roundrect", Num(2), Num(17), Num(21), Num(30), Num(true));
    Call("draw_set_colour", Num(ColourOf(kMagenta)));
    Call("draw_triangle", Num(24), Num(30), Num(32), Num(17), Num(40), Num(30), Num(false));
    Call("draw_set_colour", Num(ColourOf(kWhite)));
    Call("draw_triangle", Num(42), Num(30), Num(61), Num(17), Num(61), Num(30), Num(true));

    Call("draw_set_alpha", Num(0.5));
    Rectangle(12, 24, 51, 37, kGreen, false);
    Rectangle(2, 34, 61, 45, kRed, true);
    Call("draw_set_colour", Num(ColourOf(kWhite)));
    Call("draw_roundrect", Num(6), Num(38), Num(29), Num(44), Num(false));
    Call("draw_triangle", Num(34), Num(44), Num(46), Num(36), Num(58), Num(44), Num(true));
    Call("draw_set_alpha", Num(1));

    const RgbaImage image = scene_.Picture();
    // Half-alpha green over navy, and over the magenta triangle.
    EXPECT_TRUE(PixelIs(image, 13, 33, Over(kGreen, 0.5, kNavy)));
    EXPECT_TRUE(PixelIs(image, 32, 28, Over(kGreen, 0.5, kMagenta)));
    ExpectGolden(image, "Graphics/golden/shapes");
}

} // namespace
