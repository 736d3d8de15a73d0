// Fonts made from a sprite: proportional and fixed widths, the separation, the space glyph
// added when no frame is a space, fewer frames than characters, missing characters, ids after
// the package's fonts, and the glyphs drawn as the sprite's frames.
#include "Font/SpriteFont.h"

#include "Font/CFontKT.h"
#include "FontFixture.h"
#include "Platform/null/NullBackends.h"
#include "Sprite/CSprite.h"

namespace {

using namespace font_test;

class SpriteFonts : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        LoadInto(graphics_);
    }
    double Width(const char* text) { return Number("string_width", Str(text)); }
    double Height(const char* text) { return Number("string_height", Str(text)); }
    void Use(double font) { Call("draw_set_font", Num(font)); }

    NullGraphicsDevice device_;
    GraphicsContext graphics_{device_, 320, 180};
};

TEST_F(SpriteFonts, ProportionalGlyphsTakeTheirFramesVisibleWidthPlusTheSeparation) {
    const double font = SpriteFont('a', true, 1);
    // After the package's two fonts.
    EXPECT_EQ(font, 2);
    EXPECT_EQ(Number("font_exists", Num(font)), 1);
    Use(font);
    // Frames 3, 5, 2 and 4 wide, each plus 1.
    EXPECT_EQ(Width("a"), 4);
    EXPECT_EQ(Width("abcd"), 4 + 6 + 3 + 5);
    // No frame is a space, so one is added as wide as the widest glyph.
    EXPECT_EQ(Width("a a"), 4 + 6 + 4);
    // 'e' and beyond have no frame, and the font has no U+25AF: they take no space.
    EXPECT_EQ(Width("aez\xE2\x82\xAC"), 4);
    // The line height is the sprite's height.
    EXPECT_EQ(Height("a\nb"), 16);

    // A negative separation narrows them.
    Use(SpriteFont('a', true, -1));
    EXPECT_EQ(Width("abcd"), 2 + 4 + 1 + 3);
    EXPECT_EQ(Width(" "), 4);
}

TEST_F(SpriteFonts, FixedWidthGlyphsAndAFrameThatIsTheSpace) {
    Use(SpriteFont('a', false, 2));
    EXPECT_EQ(Width("abcd"), 4 * (8 + 2));
    EXPECT_EQ(Width(" "), 10);
    // From code point 32 frame 0 is the space itself: no glyph is added for it.
    Use(SpriteFont(32, true, 0));
    EXPECT_EQ(Width(" "), 3);
    EXPECT_EQ(Width("!\"#"), 5 + 2 + 4);
    EXPECT_EQ(Width("$"), 0);
}

TEST_F(SpriteFonts, AMissingSpriteMakesNoFont) {
    EXPECT_EQ(Number("font_add_sprite", Num(5), Num(32), Num(true), Num(1)), -1);
    EXPECT_EQ(errors_.Messages().back(), "Trying to create font from non-existing sprite.");
    EXPECT_EQ(Number("font_exists", Num(2)), 0);
    // The next font still takes the next id.
    EXPECT_EQ(SpriteFont('a', true, 1), 2);
}

TEST_F(SpriteFonts, GlyphsAreTheFramesTrimmedPicturesAtThePen) {
    Use(SpriteFont('a', true, 1));
    Call("draw_set_colour", Num(0x123456));
    Call("draw_text", Num(10), Num(20), Str("ab ca"));
    graphics_.Flush();
    ASSERT_EQ(device_.draws.size(), 1u);
    const std::vector<Vertex>& v = device_.draws[0].vertices;
    // Four quads: the space draws nothing. Each frame's visible part starts at the pen, since
    // the glyph's left offset takes back the frame's trim: pens 10, 14, 26 (after the added
    // space, 6 wide), 29.
    ASSERT_EQ(v.size(), 4u * 6);
    const float pens[] = {10, 14, 26, 29};
    const int frames[] = {0, 1, 2, 0};
    for (int i = 0; i < 4; ++i) {
        const Vertex& top_left = v[size_t(i) * 6];
        const Vertex& bottom_right = v[size_t(i) * 6 + 2];
        EXPECT_FLOAT_EQ(top_left.x, pens[i]) << i;
        EXPECT_FLOAT_EQ(top_left.y, 20) << i;
        EXPECT_FLOAT_EQ(bottom_right.x - top_left.x, kGlyphWidths[frames[i]]) << i;
        EXPECT_FLOAT_EQ(bottom_right.y, 28) << i;
        EXPECT_FLOAT_EQ(top_left.u, 8.0f * float(frames[i]) / 64) << i;
        EXPECT_EQ(top_left.colour, 0xFF123456u) << i;
    }
}

// The rules on their own, for a sprite whose frames have no texture page entries to tell
// their visible span: the bounding box stands in.
TEST(SpriteFontRules, FramesWithoutEntriesUseTheBoundingBox) {
    PackageSprite source;
    source.width = 10;
    source.height = 12;
    source.bbox_left = 2;
    source.bbox_right = 6;
    source.frames = {-1, -1};
    const CSprite sprite(source);
    const auto font = MakeSpriteFont("__newfont0", 0, sprite, 0x25AE, true, 1,
                                     [](int32_t) { return std::optional<FrameSpan>(); });
    ASSERT_EQ(font->Glyphs().size(), 3u);
    // Sorted: the space first, then U+25AE and U+25AF.
    EXPECT_EQ(font->First(), U' ');
    EXPECT_EQ(font->Last(), char32_t(0x25AF));
    const FontGlyph& box = font->Glyphs()[2];
    EXPECT_EQ(box.frame, 1);
    EXPECT_EQ(box.shift, 5 + 1);
    EXPECT_EQ(box.offset, -2);
    EXPECT_EQ(box.height, 12);
    EXPECT_EQ(font->LineHeight(), 12);
    // The font has U+25AF, so what it lacks is drawn as that.
    EXPECT_EQ(font->Find(U'q'), &box);
    EXPECT_EQ(font->Find(U' ')->shift, 6);
    EXPECT_EQ(font->Find(U' ')->frame, 2);
}

} // namespace
