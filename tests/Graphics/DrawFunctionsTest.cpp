// Sprites, shapes, blend modes and the draw state through the draw built-ins, as the null
// device records them, and the draw calls the vertex stream breaks into.
#include "Code/ValueArray.h"
#include "DrawingFixture.h"
#include "Graphics/FrameQuad.h"
#include "Graphics/VertexBatch.h"

namespace {

using namespace drawing_test;

// The frame of sFour a quad shows: its frames sit 32 texels apart along the page.
int FrameShown(const Vertex& top_left) {
    return int(std::lround(top_left.u * kPageWidth / 32));
}

class DrawFunctions : public DrawingTest {
protected:
    void SpriteExt(double frame, double x, double xscale, double yscale, double colour,
                   double alpha) {
        Call("draw_sprite_ext", Num(kFour), Num(frame), Num(x), Num(90), Num(xscale), Num(yscale),
             Num(0), Num(colour), Num(alpha));
    }
    void Sprite(int sprite, double x = 100) {
        Call("draw_sprite", Num(sprite), Num(0), Num(x), Num(100));
    }
    // The blend state the next draw is made in.
    BlendState Drawn() {
        ForgetDraws();
        Sprite(kFour);
        return Draws().at(0).blend;
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

// Where the shapes land pixel by pixel the golden shapes scene shows; here, their colours and
// that they sample the white row of the page in use, so a sprite's batch goes on through them.
TEST_F(DrawFunctions, ShapesTakeTheirColoursAndSampleWhiteFromTheSpritesPage) {
    EXPECT_EQ(Number("draw_get_colour"), 0);
    Call("draw_set_color", Num(0xAB123456)); // 24 bits are kept
    EXPECT_EQ(Number("draw_get_color"), 0x123456);

    Sprite(kFour);
    Call("draw_triangle", Num(0), Num(0), Num(10), Num(0), Num(0), Num(10), Num(0));
    Call("draw_rectangle_color", Num(0), Num(0), Num(4), Num(2), Num(1), Num(2), Num(3), Num(4),
         Num(0));
    Sprite(kFour);
    ASSERT_EQ(Draws().size(), 1u);
    const std::vector<Vertex> drawn = Vertices();
    ASSERT_EQ(drawn.size(), 21u);
    for (size_t i = 6; i < 15; ++i)
        EXPECT_GT(drawn[i].v, 64 / kPageHeight) << i; // the white row
    EXPECT_EQ(drawn[6].colour, 0xFF123456u);
    EXPECT_EQ(drawn[10].colour, 0xFF000002u);

    // Clearing fills the target after what was queued.
    Call("draw_clear_alpha", Num(0x0000FF), Num(0.5)); // red
    ASSERT_EQ(device_.clears.size(), 1u);
    EXPECT_EQ(device_.clears[0].argb, 0x7FFF0000u);
    EXPECT_EQ(device_.draws.size(), 1u);
    // Corners given the other way round keep their colours.
    ForgetDraws();
    Call("draw_rectangle_color", Num(4), Num(2), Num(0), Num(0), Num(1), Num(2), Num(3), Num(4),
         Num(0));
    EXPECT_EQ(Vertices().at(1).colour, 0xFF000004u);
    EXPECT_EQ(Vertices().at(2).colour, 0xFF000001u);
    package_.options.draw_colour = 0xFF00FF80u; // the package sets the first draw colour
    graphics_.LoadPackage(package_);
    EXPECT_EQ(Number("draw_get_colour"), 0x00FF80);
}

// A 32x32 frame from the top-left quarter of its texture, origin (16, 16), at (100, 100).
std::vector<Vertex> Quad(float xscale, float angle) {
    const FrameImage frame{1, 0, 0, 0.5f, 0.5f, 0, 0, 32, 32};
    std::vector<Vertex> quad(6);
    WriteFrameQuad(quad.data(), frame, 16, 16, {100, 100, xscale, 1, angle}, 0xFF00FF00);
    return quad;
}

// Mirrored and turned frames are pinned pixel by pixel in the golden sprite scenes; a turn too
// small to see must leave the quad on whole pixels.
TEST(FrameQuad, ATurnBelowAThousandthOfARadianStaysAxisAligned) {
    const std::vector<Vertex> plain = Quad(1, 0), nearly = Quad(1, 0.0005f);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(nearly[i].x, plain[i].x) << i;
        EXPECT_EQ(nearly[i].y, plain[i].y) << i;
        EXPECT_EQ(nearly[i].colour, 0xFF00FF00u);
    }
    EXPECT_NE(Quad(1, 0.06f)[0].y, plain[0].y); // 0.06 degrees is past the threshold
}

TEST_F(DrawFunctions, EachStateChangeOrAFullBufferStartsADrawCallAndOnlyThen) {
    const int32_t surface = int32_t(Number("surface_create", Num(128), Num(128)));
    graphics_.BeginFrame();
    for (int i = 0; i < 100; ++i)
        Sprite(kFour, i);
    Sprite(kTrim);  // the same page
    Sprite(kOther); // another page
    Sprite(kOther);
    Call("gpu_set_blendmode", Num(bm_normal)); // no change
    Sprite(kOther);
    Call("gpu_set_blendmode", Num(bm_add));
    Sprite(kOther);
    Call("surface_set_target", Num(surface));
    Sprite(kOther, 10);
    Call("surface_reset_target");
    Sprite(kOther);
    Sprite(kFour);

    const auto& draws = Draws();
    ASSERT_EQ(draws.size(), 6u);
    const size_t quads[] = {101, 3, 1, 1, 1, 1};
    for (size_t i = 0; i < draws.size(); ++i)
        EXPECT_EQ(draws[i].vertices.size(), 6 * quads[i]) << i;
    EXPECT_NE(draws[0].texture, draws[1].texture);
    EXPECT_EQ(draws[2].blend.destination, BlendFactor::One);
    EXPECT_NE(draws[3].target, 0);
    EXPECT_EQ(draws[4].target, 0);
    EXPECT_EQ(draws[5].texture, draws[0].texture);
    EXPECT_EQ(graphics_.Counters().draw_calls, 6);
    EXPECT_EQ(graphics_.Counters().vertices, 108 * 6);
    EXPECT_EQ(graphics_.Counters().texture_binds, 3); // page 0, page 1, page 0 again

    ForgetDraws();
    graphics_.BeginFrame();
    for (int i = 0; i <= VertexBatch::kCapacity / 6; ++i)
        Sprite(kFour);
    ASSERT_EQ(Draws().size(), 2u);
    EXPECT_EQ(graphics_.Counters().texture_binds, 0); // page 0 stays bound across the split
    EXPECT_EQ(Draws()[0].vertices.size(), size_t(VertexBatch::kCapacity));
    EXPECT_EQ(Draws()[1].vertices.size(), 6u);
    EXPECT_EQ(Draws()[1].texture, Draws()[0].texture);
}

TEST_F(DrawFunctions, AShapeAfterASurfaceSamplesTheWhiteTextureInstead) {
    const int32_t surface = int32_t(Number("surface_create", Num(8), Num(8)));
    Call("draw_surface", Num(surface), Num(0), Num(0));
    Call("draw_triangle", Num(0), Num(0), Num(10), Num(0), Num(0), Num(10), Num(0));
    Call("draw_triangle", Num(0), Num(0), Num(10), Num(0), Num(0), Num(10), Num(0));
    const auto& draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[1].vertices.size(), 6u);
    const auto white = device_.textures.find(draws[1].texture);
    ASSERT_NE(white, device_.textures.end());
    EXPECT_EQ(white->second.width, 1);
    EXPECT_EQ(white->second.height, 1);
}

ScopedRValue Pair(std::initializer_list<double> numbers) {
    ScopedRValue array;
    int32_t index = 0;
    for (double number : numbers)
        AssignValue(array, Num(number), index++);
    return array;
}

TEST_F(DrawFunctions, BlendModesAndFactorsSetTheBlendAndWrongOnesChangeNothing) {
    using enum BlendFactor;
    const BlendState normal = BlendState{SourceAlpha, InverseSourceAlpha};
    EXPECT_EQ(Drawn(), normal);
    const struct {
        double mode;
        BlendState blend;
    } cases[] = {{bm_add, BlendState{SourceAlpha, One}},
                 {bm_max, BlendState{SourceAlpha, InverseSourceColour}},
                 {bm_subtract, BlendState{Zero, InverseSourceColour}},
                 {bm_normal, normal},
                 {4, normal},
                 {-1, normal},
                 {2.9, BlendState{SourceAlpha, InverseSourceColour}}};
    for (const auto& c : cases) {
        Call("gpu_set_blendmode", Num(bm_add));
        Call("gpu_set_blendmode", Num(c.mode));
        EXPECT_EQ(Drawn(), c.blend) << c.mode;
    }
    EXPECT_TRUE(errors_.Empty());

    // Factors come as two numbers or one array of two.
    Call("gpu_set_blendmode_ext", Num(bm_dest_alpha), Num(bm_zero));
    EXPECT_EQ(Drawn(), (BlendState{DestinationAlpha, Zero}));
    Call("gpu_set_blendmode_ext", Pair({bm_src_alpha_sat, bm_inv_dest_colour}));
    EXPECT_EQ(Drawn(), (BlendState{SourceAlphaSaturate, InverseDestinationColour}));
    // A number that names no factor changes nothing, nor do wrong arguments.
    Call("gpu_set_blendmode_ext", Num(0), Num(bm_one));
    Call("gpu_set_blendmode_ext", Num(bm_one), Num(12));
    Call("gpu_set_blendmode");
    Call("gpu_set_blendmode", Num(bm_max), Num(bm_max));
    Call("gpu_set_blendmode_ext", Num(bm_one));
    Call("gpu_set_blendmode_ext", Num(bm_one), Num(bm_one), Num(bm_one));
    Call("gpu_set_blendmode_ext", Pair({bm_one, bm_one, bm_one}));
    Call("gpu_set_blendmode_ext", Pair({bm_one}));
    EXPECT_EQ(Drawn(), (BlendState{SourceAlphaSaturate, InverseDestinationColour}));
    EXPECT_EQ(errors_.Messages(), (std::vector<std::string>{
                                      "gpu_set_blendmode() - should be passed a single parameter",
                                      "gpu_set_blendmode() - should be passed a single parameter",
                                      "gpu_set_blendmode_ext() - should be passed two parameters",
                                      "gpu_set_blendmode_ext() - should be passed two parameters",
                                      "gpu_set_blendmode_ext() - invalid array (must be 2 values)",
                                      "gpu_set_blendmode_ext() - invalid array (must be 2 values)",
                                  }));
}

} // namespace
