// Text layout as geometry through the null device: where lines break, how they are aligned and
// measured, wrapping to a width, UTF-8, scales and colours, and that a paragraph in one font
// is one draw call. Most cases use the default font, whose glyphs are 5x10 rectangles drawn as
// 7x12 quads one pixel up and left of the pen, 6 pixels apart, lines 10 pixels apart.
#include "FontFixture.h"
#include "Platform/null/NullBackends.h"

namespace {

using namespace font_test;

// A glyph quad's corners as drawn, before any turn: top-left and bottom-right.
struct Quad {
    float left, top, right, bottom;
};

class TextLayout : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        LoadInto(graphics_);
    }

    std::vector<NullGraphicsDevice::DrawRecord> Draws() {
        graphics_.Flush();
        return std::exchange(device_.draws, {});
    }
    std::vector<Quad> Quads() {
        std::vector<Quad> quads;
        for (const auto& draw : Draws())
            for (size_t i = 0; i + 6 <= draw.vertices.size(); i += 6)
                quads.push_back({draw.vertices[i].x, draw.vertices[i].y, draw.vertices[i + 2].x,
                                 draw.vertices[i + 2].y});
        return quads;
    }
    std::vector<Quad> Drawn(const char* text, double x = 100, double y = 50) {
        Call("draw_text", Num(x), Num(y), Str(text));
        return Quads();
    }
    std::vector<Quad> DrawnExt(const char* text, double separation, double wrap) {
        Call("draw_text_ext", Num(100), Num(50), Str(text), Num(separation), Num(wrap));
        return Quads();
    }
    // The pen positions of the quads: one right and one down of their corners.
    static std::vector<std::pair<float, float>> Pens(const std::vector<Quad>& quads) {
        std::vector<std::pair<float, float>> pens;
        for (const Quad& quad : quads)
            pens.emplace_back(quad.left + 1, quad.top + 1);
        return pens;
    }
    double Width(const char* text) { return Number("string_width", Str(text)); }
    double Height(const char* text) { return Number("string_height", Str(text)); }

    NullGraphicsDevice device_;
    GraphicsContext graphics_{device_, 320, 180};
};

using Pen = std::pair<float, float>;

TEST_F(TextLayout, LineBreaksPairsAndEmptyLines) {
    // CR LF and LF CR are one break each; two LFs leave an empty line that takes its place.
    EXPECT_EQ(Pens(Drawn("a\r\nb")), (std::vector<Pen>{{100, 50}, {100, 60}}));
    EXPECT_EQ(Pens(Drawn("a\n\rb")), (std::vector<Pen>{{100, 50}, {100, 60}}));
    EXPECT_EQ(Pens(Drawn("a\n\nb")), (std::vector<Pen>{{100, 50}, {100, 70}}));
    EXPECT_EQ(Pens(Drawn("a\rb")), (std::vector<Pen>{{100, 50}, {100, 60}}));
    EXPECT_EQ(Height("a\n\nb"), 30);
    EXPECT_EQ(Height("a\r\n\r\nb"), 30);
    // No lines, one line, and a break at the end that starts no further line.
    EXPECT_EQ(Height(""), 0);
    EXPECT_EQ(Width(""), 0);
    EXPECT_EQ(Height("a"), 10);
    EXPECT_EQ(Height("a\n"), 10);
    EXPECT_EQ(Height("\n"), 10);
    // The widest line.
    EXPECT_EQ(Width("ab\nabcd\nabc"), 24);
    EXPECT_TRUE(Drawn("").empty());
}

TEST_F(TextLayout, AlignmentMovesEachLineByItsOwnWidth) {
    Call("draw_set_halign", Num(1));
    // Widths 18 and 12: centred by -(width / 2).
    EXPECT_EQ(Pens(Drawn("abc\nab")),
              (std::vector<Pen>{{91, 50}, {97, 50}, {103, 50}, {94, 60}, {100, 60}}));
    Call("draw_set_halign", Num(fa_right));
    EXPECT_EQ(Pens(Drawn("abc\nab")).front(), (Pen{82, 50}));
    EXPECT_EQ(Pens(Drawn("abc\nab")).back(), (Pen{94, 60}));
    // An odd width: -(5 / 2) is -2 with the truncating division.
    Call("draw_set_font", Num(kPixelFont));
    Call("draw_set_halign", Num(fa_center));
    EXPECT_EQ(Width("x\xC3\xA9"), 9);
    EXPECT_EQ(Pens(Drawn("x")).front(), (Pen{98, 50}));
    // Values outside 0..2 set left and top.
    Call("draw_set_font", Num(-1));
    Call("draw_set_halign", Num(3));
    Call("draw_set_valign", Num(-1));
    EXPECT_EQ(Pens(Drawn("a")), (std::vector<Pen>{{100, 50}}));
}

TEST_F(TextLayout, VerticalAlignmentUsesTheSeparation) {
    // Three lines 15 apart: the middle starts 45 / 2 = 22 above y, the bottom 45 above.
    Call("draw_set_valign", Num(fa_middle));
    EXPECT_EQ(Pens(DrawnExt("a\nb\nc", 15, -1)),
              (std::vector<Pen>{{100, 28}, {100, 43}, {100, 58}}));
    Call("draw_set_valign", Num(fa_bottom));
    EXPECT_EQ(Pens(DrawnExt("a\nb\nc", 15, -1)).front(), (Pen{100, 5}));
    // -1 is the font's line height.
    EXPECT_EQ(Pens(DrawnExt("a\nb", -1, -1)).front(), (Pen{100, 30}));
    EXPECT_EQ(Number("string_height_ext", Str("a\nb\nc"), Num(15), Num(-1)), 40);
}

TEST_F(TextLayout, WrappingBreaksAtSpacesAndKeepsLongWordsWhole) {
    // 30 fits "aa bb" exactly; 20 gives the 'b' back and breaks at the space before it.
    EXPECT_EQ(Pens(DrawnExt("aa bb cc", -1, 30)),
              (std::vector<Pen>{
                  {100, 50}, {106, 50}, {112, 50}, {118, 50}, {124, 50}, {100, 60}, {106, 60}}));
    EXPECT_EQ(Number("string_height_ext", Str("aa bb cc"), Num(-1), Num(20)), 30);
    EXPECT_EQ(Number("string_width_ext", Str("aa bb cc"), Num(-1), Num(20)), 12);
    // Leading and trailing spaces go, and so do lines left empty.
    EXPECT_EQ(Pens(DrawnExt("   aa\n\n  b", -1, 40)),
              (std::vector<Pen>{{100, 50}, {106, 50}, {100, 60}}));
    // A word wider than the width stays whole on its own line.
    EXPECT_EQ(Number("string_width_ext", Str("ab abcdefgh c"), Num(-1), Num(20)), 48);
    EXPECT_EQ(Number("string_height_ext", Str("ab abcdefgh c"), Num(-1), Num(20)), 30);
    // CR is an ordinary character here: drawn as the U+25AF glyph of the default font.
    EXPECT_EQ(Number("string_height_ext", Str("a\rb"), Num(-1), Num(100)), 10);
    EXPECT_EQ(Number("string_width_ext", Str("a\rb"), Num(-1), Num(100)), 18);
    // Narrower than the first glyph: nothing at all, and the rest of the text is dropped.
    EXPECT_TRUE(DrawnExt("abc", -1, 5).empty());
    EXPECT_EQ(Number("string_height_ext", Str("abc"), Num(-1), Num(5)), 0);
    EXPECT_EQ(Number("string_height_ext", Str("ab abcdefgh c"), Num(-1), Num(0)), 0);
}

TEST_F(TextLayout, Utf8TextIsMeasuredByCharacter) {
    // Two-, three- and four-byte characters are one glyph each: missing ones are U+25AF.
    EXPECT_EQ(Width("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), 18);
    EXPECT_EQ(Width("a\xE2\x96\xAF"), 12);
    // fntPixel has U+00E9 (advance 5) and U+25AF (advance 4) for what it lacks.
    Call("draw_set_font", Num(kPixelFont));
    EXPECT_EQ(Width("\xC3\xA9"), 5);
    EXPECT_EQ(Width("x\xC3\xA9\xE2\x82\xAC?"), 17);
    // A byte that starts no sequence is a character of its own.
    EXPECT_EQ(Width("\xC3x"), 8);
    // The glyph's left offset moves it from the pen.
    EXPECT_EQ(Pens(Drawn("\xC3\xA9x")), (std::vector<Pen>{{101, 50}, {105, 50}}));
}

TEST_F(TextLayout, ScaledFontsTruncateAfterEachGlyph) {
    // fntWide: advances of 4 x 1.5 = 6, 5 x 1.5 = 7.5, so "xé" is 6 + 7.5 = 13.5 -> 13 and
    // "éé" is trunc(7.5) + 7.5 = 14.5 -> 14, not 15. Its line height is 5 x 2.
    Call("draw_set_font", Num(kWideFont));
    EXPECT_EQ(Width("x\xC3\xA9"), 13);
    EXPECT_EQ(Width("\xC3\xA9\xC3\xA9"), 14);
    EXPECT_EQ(Height("x\nx"), 20);
    // Drawn, the pen is not truncated; quads grow by the scales.
    const std::vector<Quad> quads = Drawn("\xC3\xA9\xC3\xA9");
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[0].left, 100 + 1.5f - 1);
    EXPECT_FLOAT_EQ(quads[1].left, 100 + 7.5f + 1.5f - 1);
    EXPECT_FLOAT_EQ(quads[0].right - quads[0].left, 5 * 1.5f);
    EXPECT_FLOAT_EQ(quads[0].bottom - quads[0].top, 7 * 2.0f);
}

TEST_F(TextLayout, AParagraphInOneFontIsOneDrawCall) {
    Call("draw_set_halign", Num(fa_center));
    Call("draw_text", Num(160), Num(20), Str("The quick brown fox\njumps over\nthe lazy dog."));
    Call("draw_set_font", Num(kPixelFont));
    Call("draw_text", Num(160), Num(90), Str("xx\xC3\xA9\nx"));
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].vertices.size(), 6u * 42);
    EXPECT_EQ(draws[1].vertices.size(), 6u * 4);
    EXPECT_NE(draws[0].texture, draws[1].texture);
}

TEST_F(TextLayout, ColoursAlphaAndTransforms) {
    Call("draw_set_colour", Num(0x00FF00));
    Call("draw_set_alpha", Num(0.5));
    Call("draw_text", Num(0), Num(0), Str("ab"));
    for (const auto& draw : Draws())
        for (const Vertex& vertex : draw.vertices)
            EXPECT_EQ(vertex.colour, 0x7F00FF00u);

    // Red to blue along the 12 pixels of the line at full alpha, from the first quad's left
    // edge (a pixel before the line, so still red) to the second's right edge (at 12).
    Call("draw_text_colour", Num(0), Num(0), Str("ab"), Num(0x0000FF), Num(0xFF0000), Num(0xFF0000),
         Num(0x0000FF), Num(1));
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    const std::vector<Vertex>& v = draws[0].vertices;
    EXPECT_EQ(v[0].colour, 0xFF0000FFu);     // top-left of the first quad
    EXPECT_EQ(v[1].colour, 0xFF800080u);     // its top-right, at 6: half way
    EXPECT_EQ(v[4].colour, 0xFF0000FFu);     // its bottom-left
    EXPECT_EQ(v[6 + 1].colour, 0xFFFF0000u); // top-right of the second

    // Doubled and turned a quarter: the pen runs up the screen from (50, 50).
    Call("draw_text_transformed", Num(50), Num(50), Str("ab"), Num(2), Num(2), Num(90));
    const std::vector<Quad> quads = Quads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_NEAR(quads[0].left, 50 - 2, 1e-4);
    EXPECT_NEAR(quads[0].top, 50 + 2, 1e-4);
    EXPECT_NEAR(quads[1].left, 50 - 2, 1e-4);
    EXPECT_NEAR(quads[1].top, 50 + 2 - 12, 1e-4);
}

TEST_F(TextLayout, FontsByIdAndTheDefault) {
    EXPECT_EQ(Number("font_exists", Num(kWideFont)), 1);
    EXPECT_EQ(Number("font_exists", Num(2)), 0);
    EXPECT_EQ(Number("font_exists", Num(-1)), 0);
    // An id that names no font selects the default one.
    Call("draw_set_font", Num(kPixelFont));
    Call("draw_set_font", Num(7));
    EXPECT_EQ(Width("ab"), 12);
    // Numbers and other values are drawn as their text: "12.50".
    EXPECT_EQ(Number("string_width", Num(12.5)), 30);
    EXPECT_EQ(Pens(Drawn("a", 10.5, 20.25)), (std::vector<Pen>{{10.5f, 20.25f}}));
    // The wrong number of arguments is reported and draws nothing.
    Call("draw_text", Num(0), Num(0));
    EXPECT_EQ(errors_.Messages().back(), "draw_text() - wrong number of arguments");
    EXPECT_TRUE(Quads().empty());
}

} // namespace
