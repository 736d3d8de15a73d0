// Sprites, shapes and the draw state through the draw built-ins, as the null device records
// them.
#include "DrawingFixture.h"

namespace {

using namespace drawing_test;

// The frame of sFour a quad shows: its frames sit 32 texels apart along the page.
int FrameShown(const Vertex& top_left) {
    return int(std::lround(top_left.u * kPageWidth / 32));
}

// The area a triangle list covers.
float Area(const std::vector<Vertex>& v) {
    float area = 0;
    for (size_t i = 0; i + 2 < v.size(); i += 3)
        area += std::fabs((v[i + 1].x - v[i].x) * (v[i + 2].y - v[i].y) -
                          (v[i + 2].x - v[i].x) * (v[i + 1].y - v[i].y));
    return area / 2;
}

class DrawFunctions : public DrawingTest {
protected:
    void SpriteExt(double frame, double x, double xscale, double yscale, double colour,
                   double alpha) {
        Call("draw_sprite_ext", Num(kFour), Num(frame), Num(x), Num(90), Num(xscale), Num(yscale),
             Num(0), Num(colour), Num(alpha));
    }
};

TEST_F(DrawFunctions, FrameArgumentsTruncateAndNegativeOnesTakeTheCallersImageIndex) {
    instance_.image_index = 2.7f;
    const double frames[][2] = {{-1, 2}, {7.9, 3}, {-0.5, 0}, {5, 1}};
    for (const auto& [frame, shown] : frames) {
        ForgetDraws();
        Call("draw_sprite", Num(kFour), Num(frame), Num(100), Num(100));
        ASSERT_EQ(Vertices().size(), 6u) << frame;
        EXPECT_EQ(FrameShown(Vertices()[0]), shown) << frame;
    }
    instance_.image_index = -1.2f; // floored, then wrapped
    ForgetDraws();
    SpriteExt(-1, 100, 1, 1, 0xFFFFFF, 1);
    EXPECT_EQ(FrameShown(Vertices()[0]), 2);
}

TEST_F(DrawFunctions, DrawSelfDrawsTheCallersSpriteAsItStands) {
    instance_.sprite_index = kFour;
    instance_.image_index = 5.5f;
    instance_.x = instance_.y = 100;
    instance_.image_xscale = -1;
    instance_.image_yscale = 2;
    instance_.image_blend = 0x123456;
    instance_.image_alpha = 0.5f;
    Call("draw_self");
    const std::vector<Vertex> drawn = Vertices();
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(FrameShown(drawn[0]), 1);
    // Mirrored about x = 100, from twice 16 above it.
    EXPECT_EQ(Corners(drawn), (std::array<float, 4>{116, 68, 84, 132}));
    EXPECT_EQ(drawn[0].colour, 0x7F123456u);
}

TEST_F(DrawFunctions, DrawSpriteIsWhiteUnscaledInTheDrawAlphaAndAlphaIsClamped) {
    Call("draw_set_alpha", Num(0.25));
    Call("draw_sprite", Num(kTrim), Num(0), Num(10), Num(20));
    const std::vector<Vertex> drawn = Vertices();
    ASSERT_EQ(drawn.size(), 6u);
    EXPECT_EQ(drawn[0].colour, 0x3FFFFFFFu);
    // The trimmed 8x6 picture at its offset (4, 5) in the frame, from its rectangle on the page.
    EXPECT_EQ(Corners(drawn), (std::array<float, 4>{14, 25, 22, 31}));
    EXPECT_FLOAT_EQ(drawn[0].v, 32 / kPageHeight);
    EXPECT_FLOAT_EQ(drawn[2].u, 8 / kPageWidth);
    EXPECT_FLOAT_EQ(drawn[2].v, 38 / kPageHeight);

    Call("draw_set_alpha", Num(1.7));
    EXPECT_EQ(graphics_.Alpha(), 1.0);
    Call("draw_set_alpha", Num(-3));
    EXPECT_EQ(graphics_.Alpha(), 0.0);
    for (const auto& [alpha, byte] : {std::pair{1.2, 255u}, {-0.1, 0u}, {0.999, 254u}}) {
        ForgetDraws();
        SpriteExt(0, 50, 1, 1, 0xAB123456, alpha);
        EXPECT_EQ(Vertices()[0].colour, byte << 24 | 0x123456u) << alpha;
    }
}

TEST_F(DrawFunctions, SpritesBeyondTheirReachOfTheViewAreNotDrawn) {
    // sFour reaches 23 pixels from its origin; the view is 320 wide.
    const auto drawn = [&](double x, double xscale) {
        ForgetDraws();
        if (xscale == 0)
            Call("draw_sprite", Num(kFour), Num(0), Num(x), Num(90));
        else
            SpriteExt(0, x, xscale, -0.5, 0xFFFFFF, 1);
        return !Vertices().empty();
    };
    EXPECT_TRUE(drawn(-23, 0));
    EXPECT_FALSE(drawn(-24, 0));
    EXPECT_TRUE(drawn(343, 0));
    EXPECT_FALSE(drawn(344, 0));
    EXPECT_TRUE(drawn(-46, -2)); // the reach grows with the larger scale, mirrored or not
    EXPECT_FALSE(drawn(-47, -2));
}

TEST_F(DrawFunctions, MissingSpritesAreReportedAndEmptyOnesDrawNothing) {
    Call("draw_sprite", Num(kMissing), Num(0), Num(10), Num(10));
    Call("draw_sprite_ext", Num(99), Num(0), Num(10), Num(10), Num(1), Num(1), Num(0), Num(0),
         Num(1));
    instance_.sprite_index = -1;
    Call("draw_self");
    Call("draw_sprite", Num(kEmpty), Num(0), Num(10), Num(10));
    EXPECT_EQ(errors_.Messages(),
              std::vector<std::string>(3, "Trying to draw non-existing sprite."));
    EXPECT_TRUE(Vertices().empty());
}

TEST_F(DrawFunctions, ShapesTakeTheirColoursAndSampleWhiteFromTheSpritesPage) {
    Call("draw_set_colour", Num(0x20FF40));
    EXPECT_EQ(Number("draw_get_colour"), 0x20FF40);
    Call("draw_set_color", Num(0xAB123456)); // 24 bits are kept
    EXPECT_EQ(Number("draw_get_color"), 0x123456);

    Call("draw_sprite", Num(kFour), Num(0), Num(100), Num(100));
    Call("draw_triangle", Num(0), Num(0), Num(10), Num(0), Num(0), Num(10), Num(0));
    Call("draw_rectangle_color", Num(0), Num(0), Num(4), Num(2), Num(1), Num(2), Num(3), Num(4),
         Num(0));
    Call("draw_sprite", Num(kFour), Num(1), Num(100), Num(100));

    ASSERT_EQ(Draws().size(), 1u);
    const std::vector<Vertex> drawn = Vertices();
    ASSERT_EQ(drawn.size(), 21u);
    for (size_t i = 6; i < 15; ++i)
        EXPECT_GT(drawn[i].v, 64 / kPageHeight) << i; // the white row
    // The triangle as given, in the draw colour.
    EXPECT_EQ(drawn[7].x, 10);
    EXPECT_EQ(drawn[8].y, 10);
    EXPECT_EQ(drawn[6].colour, 0xFF123456u);
    // The rectangle covers the pixels of both corners, each corner in its colour.
    EXPECT_EQ(Area(std::vector<Vertex>(drawn.begin() + 9, drawn.begin() + 15)), 5 * 3);
    EXPECT_EQ(drawn[10].x, 5);
    EXPECT_EQ(drawn[10].colour, 0xFF000002u);
    EXPECT_EQ(drawn[11].y, 3);
    EXPECT_EQ(drawn[11].colour, 0xFF000003u);
    EXPECT_EQ(drawn[13].colour, 0xFF000004u);
}

TEST_F(DrawFunctions, OutlinesAreOnePixelWideAndRoundedCornersAreCut) {
    Call("draw_rectangle_color", Num(10), Num(20), Num(13), Num(25), Num(0), Num(0), Num(0), Num(0),
         Num(1));
    EXPECT_EQ(Area(Vertices()), 4 * 6 - 2 * 4); // the 4x6 pixels less the 2x4 inside, once each

    ForgetDraws();
    Call("draw_triangle", Num(0), Num(0), Num(8), Num(0), Num(0), Num(8), Num(1));
    const std::vector<Vertex> lines = Vertices();
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_NEAR(lines[0].x, 0, 1e-5); // from the left of pixel (0, 0), below its top ...
    EXPECT_NEAR(lines[0].y, 1, 1e-5);
    EXPECT_NEAR(lines[1].x, 9, 1e-5); // ... to the right of pixel (8, 0)

    ForgetDraws();
    Call("draw_roundrect", Num(10), Num(10), Num(49), Num(29), Num(0));
    const std::vector<Vertex> round = Vertices();
    EXPECT_LT(Area(round), 40 * 20);
    EXPECT_GT(Area(round), 40 * 20 - 4 * 16); // less than the four corner squares is cut
    for (const Vertex& vertex : round) {
        EXPECT_TRUE(vertex.x >= 10 && vertex.x <= 50 && vertex.y >= 10 && vertex.y <= 30);
        EXPECT_FALSE(vertex.x < 10.5f && vertex.y < 10.5f);
    }
}

TEST_F(DrawFunctions, ClearingFillsTheTargetAfterWhatWasQueued) {
    Call("draw_sprite", Num(kFour), Num(0), Num(100), Num(100));
    Call("draw_clear_alpha", Num(0x0000FF), Num(0.5)); // red
    ASSERT_EQ(device_.clears.size(), 1u);
    EXPECT_EQ(device_.clears[0].argb, 0x7FFF0000u);
    EXPECT_EQ(device_.draws.size(), 1u);
}

TEST_F(DrawFunctions, ThePackageSetsTheFirstDrawColour) {
    EXPECT_EQ(Number("draw_get_colour"), 0);
    package_.options.draw_colour = 0xFF00FF80u;
    graphics_.LoadPackage(package_);
    EXPECT_EQ(Number("draw_get_colour"), 0x00FF80);
}

} // namespace
