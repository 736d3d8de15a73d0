// Fonts made from a sprite: widths from the trimmed frames or the sprite, the separation, the
// space glyph, fewer frames than characters, ids after the package's fonts, and glyphs drawn
// as the sprite's frames.
#include "Font/SpriteFont.h"

#include "Font/CFontKT.h"
#include "FontFixture.h"
#include "Platform/null/NullBackends.h"
#include "Sprite/CSprite.h"

namespace {

using font_test::kGlyphWidths;

class SpriteFonts : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        LoadInto(graphics_);
    }
    void Use(double font) { Call("draw_set_font", Num(font)); }

    NullGraphicsDevice device_;
    GraphicsContext graphics_{device_, 320, 180};
};

TEST_F(SpriteFonts, WidthsSeparationAndTheSpace) {
    EXPECT_EQ(Number("font_add_sprite", Num(5), Num(32), Num(true), Num(1)), -1);
    EXPECT_EQ(errors_.Messages().back(), "Trying to create font from non-existing sprite.");
    // After the package's two fonts. Frames 3, 5, 2 and 4 wide, each plus 1; no frame is a
    // space, so one is added as wide as the widest glyph. 'e' on has no frame and the font no
    // U+25AF: they take no space. Lines are the sprite's height apart.
    const double font = SpriteFont('a', true, 1);
    EXPECT_EQ(font, 2);
    Use(font);
    EXPECT_EQ(Width("abcd"), 4 + 6 + 3 + 5);
    EXPECT_EQ(Width("a a"), 4 + 6 + 4);
    EXPECT_EQ(Width("aez\xE2\x82\xAC"), 4);
    EXPECT_EQ(Height("a\nb"), 16);
    Use(SpriteFont('a', true, -1));
    EXPECT_EQ(Width("abcd "), 2 + 4 + 1 + 3 + 4);
    // Fixed widths are the sprite's.
    Use(SpriteFont('a', false, 2));
    EXPECT_EQ(Width("abcd "), 5 * 10);
    // From 32 the first frame is the space itself, and nothing is added.
    Use(SpriteFont(32, true, 0));
    EXPECT_EQ(Width(" !\"#$"), 3 + 5 + 2 + 4);
}

TEST_F(SpriteFonts, GlyphsAreTheFramesPicturesAtThePen) {
    Use(SpriteFont('a', true, 1));
    Call("draw_set_colour", Num(0x123456));
    Call("draw_text", Num(10), Num(20), Str("ab ca"));
    graphics_.Flush();
    ASSERT_EQ(device_.draws.size(), 1u);
    const std::vector<Vertex>& v = device_.draws[0].vertices;
    // The space draws nothing. The left offset takes back each frame's trim, so the pictures
    // start at the pens: 10, 14, 26 (after the space, 6 wide), 29.
    ASSERT_EQ(v.size(), 4u * 6);
    const float pens[] = {10, 14, 26, 29};
    const int frames[] = {0, 1, 2, 0};
    for (size_t i = 0; i < 4; ++i) {
        const Vertex &top_left = v[i * 6], &bottom_right = v[i * 6 + 2];
        EXPECT_EQ(top_left.x, pens[i]) << i;
        EXPECT_EQ(top_left.y, 20) << i;
        EXPECT_EQ(bottom_right.x - top_left.x, kGlyphWidths[frames[i]]) << i;
        EXPECT_EQ(bottom_right.y, 28) << i;
        EXPECT_EQ(top_left.u, 8.0f * float(frames[i]) / 64) << i;
        EXPECT_EQ(top_left.colour, 0xFF123456u) << i;
    }
}

// Frames without texture page entries take their span from the bounding box.
TEST(SpriteFontRules, BoundingBoxSpansAndTheStandIn) {
    PackageSprite source;
    source.width = 10;
    source.height = 12;
    source.bbox_left = 2;
    source.bbox_right = 6;
    source.frames = {-1, -1};
    const CSprite sprite(source);
    const auto font = MakeSpriteFont("__newfont0", 0, sprite, 0x25AE, true, 1,
                                     [](int32_t) { return std::optional<FrameSpan>(); });
    // Sorted: the added space, U+25AE, U+25AF.
    ASSERT_EQ(font->Glyphs().size(), 3u);
    EXPECT_EQ(font->First(), U' ');
    const FontGlyph& box = font->Glyphs()[2];
    EXPECT_EQ(box.code_point, char32_t(0x25AF));
    EXPECT_EQ(box.frame, 1);
    EXPECT_EQ(box.shift, 5 + 1);
    EXPECT_EQ(box.offset, -2);
    EXPECT_EQ(font->LineHeight(), 12);
    // What the font lacks is drawn as U+25AF.
    EXPECT_EQ(font->Find(U'q'), &box);
    EXPECT_EQ(font->Find(U' ')->shift, 6);
}

} // namespace
