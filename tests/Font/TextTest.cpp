// Text: layout as geometry through the null device, fonts made from a sprite, and text on
// OpenGL without a display against golden images. Every built-in is registered, with a package
// of one 64x32 texture page (data/font_page.txt):
//   sprite 0, sGlyphs: four 8x8 frames at (8i, 0), trimmed to widths 3, 5, 2, 4 at x offsets
//       1, 0, 3, 2; white with the top-right texel clear, so misplaced glyphs show
//   font 0, fntPixel: its image at (0, 16); 3x5 glyphs 'x' (advance 4), U+00E9 (advance 5,
//       left offset 1) and U+25AF (advance 4), each with a clear texel around it
//   font 1, fntWide: the same glyphs scaled 1.5 across and 2 down
// Most layout cases use the default font, whose glyphs are 5x10 rectangles drawn as 7x12 quads
// one pixel up and left of the pen, 6 pixels apart, lines 10 apart: a quad's top-left corner plus
// one is the pen.
#include "BuiltinCallFixture.h"
#include "CaseTable.h"
#include "Code/GameConstants.h"
#include "Code/RuntimeError.h"
#include "Code/ValueTestSupport.h"
#include "Font/CFontKT.h"
#include "Font/FontTable.h"
#include "Font/SpriteFont.h"
#include "Graphics/GlScene.h"
#include "Graphics/GoldenPixels.h"
#include "Graphics/GraphicsContext.h"
#include "Platform/null/NullBackends.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"

namespace {

enum FontIndex { kPixelFont, kWideFont };
constexpr int kGlyphWidths[] = {3, 5, 2, 4};
constexpr int kGlyphOffsets[] = {1, 0, 3, 2};

inline GamePackage FontPackage() {
    GamePackage package;
    std::vector<std::string> rows = DataLines("Font/data/font_page.txt");
    rows.resize(32, std::string(64, '.'));
    PackageTexture page{};
    page.width = 64;
    page.height = 32;
    page.pixels = KeyPixels(rows, {});
    for (int i = 0; i < 4; ++i) {
        const uint16_t x = uint16_t(8 * i), width = uint16_t(kGlyphWidths[i]);
        package.texture_page_entries.push_back(
            {x, 0, width, 8, uint16_t(kGlyphOffsets[i]), 0, width, 8, 8, 8, 0});
    }
    package.texture_page_entries.push_back({0, 16, 32, 16, 0, 0, 32, 16, 32, 32, 0});
    package.textures = {page};

    PackageSprite glyphs;
    glyphs.width = glyphs.height = 8;
    glyphs.frames = {0, 1, 2, 3};
    package.sprites = {glyphs};

    PackageFont pixel;
    pixel.texture_page = 4;
    pixel.glyphs = {
        {'x', 1, 1, 3, 5, 4, 0, 0}, {0xE9, 6, 1, 3, 5, 5, 1, 0}, {0x25AF, 11, 1, 3, 5, 4, 0, 0}};
    PackageFont wide = pixel;
    wide.scale_x = 1.5f;
    wide.scale_y = 2;
    package.fonts = {pixel, wide};
    return package;
}

class TextTest : public BuiltinCallTest {
protected:
    void LoadTables() {
        package_ = FontPackage();
        LoadSprites(package_.sprites);
        LoadFonts(package_.fonts);
    }
    void LoadInto(GraphicsContext& graphics) {
        LoadTables();
        graphics.LoadPackage(package_);
        SetActiveGraphics(&graphics);
    }
    void TearDown() override {
        SetActiveGraphics(nullptr);
        ClearFonts();
        ClearSprites();
        BuiltinCallTest::TearDown();
    }
    // The id of a new font of sGlyphs.
    double SpriteFont(double first, bool proportional, double separation) {
        return Number("font_add_sprite", Num(0), Num(first), Num(proportional), Num(separation));
    }
    double Width(const char* text) { return Number("string_width", Str(text)); }
    double Height(const char* text) { return Number("string_height", Str(text)); }

    GamePackage package_;
    RuntimeErrorCapture errors_;
};

using Pen = std::pair<float, float>;

class TextLayout : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        LoadInto(graphics_);
    }
    // Each draw call's vertices, and the draw calls forgotten.
    std::vector<std::vector<Vertex>> Drawn() {
        graphics_.Flush();
        std::vector<std::vector<Vertex>> drawn;
        for (const auto& draw : std::exchange(device_.draws, {}))
            drawn.push_back(draw.vertices);
        return drawn;
    }
    std::vector<Pen> Pens() {
        std::vector<Pen> pens;
        for (const auto& vertices : Drawn())
            for (size_t i = 0; i < vertices.size(); i += 6)
                pens.emplace_back(vertices[i].x + 1, vertices[i].y + 1);
        return pens;
    }
    std::vector<Pen> Text(const char* text, double x = 100, double y = 50) {
        Call("draw_text", Num(x), Num(y), Str(text));
        return Pens();
    }
    std::vector<Pen> TextExt(const char* text, double separation, double wrap) {
        Call("draw_text_ext", Num(100), Num(50), Str(text), Num(separation), Num(wrap));
        return Pens();
    }
    void Use(double font) { Call("draw_set_font", Num(font)); }
    double Ext(const char* measure, const char* text, double wrap, double separation = -1) {
        return Number(measure, Str(text), Num(separation), Num(wrap));
    }

    NullGraphicsDevice device_;
    GraphicsContext graphics_{device_, 320, 180};
};

TEST_F(TextLayout, LineBreaksAndMeasures) {
    // CR LF and LF CR are one break each; two LFs leave an empty line that keeps its place.
    EXPECT_EQ(Text("a\r\nb"), (std::vector<Pen>{{100, 50}, {100, 60}}));
    EXPECT_EQ(Text("a\n\rb"), (std::vector<Pen>{{100, 50}, {100, 60}}));
    EXPECT_EQ(Text("a\n\nb"), (std::vector<Pen>{{100, 50}, {100, 70}}));
    // Values are drawn as their text: "12.50".
    EXPECT_EQ(Number("string_width", Num(12.5)), 30);
    const std::vector<TextCase> cases = ReadCaseTable(TEST_SOURCE_DIR "/Font/data/text_measures.txt");
    ASSERT_EQ(cases.size(), 20u);
    for (const TextCase& c : cases) {
        Use(std::stod(c.fields[0]));
        const char* measure = c.fields[1].c_str();
        const double found = c.fields[3] == "-" ? Number(measure, Str(c.fields[2]))
                                                : Ext(measure, c.fields[2].c_str(),
                                                      std::stod(c.fields[4]), std::stod(c.fields[3]));
        EXPECT_EQ(found, std::stod(c.fields[5])) << c.line;
    }
}

TEST_F(TextLayout, AlignmentMovesEachLineByItsOwnWidth) {
    Call("draw_set_halign", Num(fa_center));
    EXPECT_EQ(Text("abc\nab"),
              (std::vector<Pen>{{91, 50}, {97, 50}, {103, 50}, {94, 60}, {100, 60}}));
    Call("draw_set_halign", Num(fa_right));
    EXPECT_EQ(Text("abc\nab").back(), (Pen{94, 60}));
    // An odd width: -(5 / 2) is -2.
    Use(kPixelFont);
    Call("draw_set_halign", Num(fa_center));
    EXPECT_EQ(Text("x"), (std::vector<Pen>{{98, 50}}));
    // Three lines 15 apart: middle starts 45 / 2 = 22 above y, bottom 45 above.
    Use(-1);
    Call("draw_set_halign", Num(fa_left));
    Call("draw_set_valign", Num(fa_middle));
    EXPECT_EQ(TextExt("a\nb\nc", 15, -1), (std::vector<Pen>{{100, 28}, {100, 43}, {100, 58}}));
    Call("draw_set_valign", Num(fa_bottom));
    EXPECT_EQ(TextExt("a\nb\nc", 15, -1).front(), (Pen{100, 5}));
    EXPECT_EQ(TextExt("a\nb", -1, -1).front(), (Pen{100, 30}));
    // Values outside 0..2 mean left and top.
    Call("draw_set_halign", Num(3));
    Call("draw_set_valign", Num(-1));
    EXPECT_EQ(Text("a"), (std::vector<Pen>{{100, 50}}));
}

TEST_F(TextLayout, WrappingBreaksAtSpacesAndKeepsLongWordsWhole) {
    // 30 takes "aa bb" exactly; 20 gives the 'b' back and breaks at the space before it.
    EXPECT_EQ(TextExt("aa bb cc", -1, 30),
              (std::vector<Pen>{
                  {100, 50}, {106, 50}, {112, 50}, {118, 50}, {124, 50}, {100, 60}, {106, 60}}));
    // Leading spaces and empty lines go.
    EXPECT_EQ(TextExt("   aa\n\n  b", -1, 40), (std::vector<Pen>{{100, 50}, {106, 50}, {100, 60}}));
    // Narrower than the first glyph: nothing, and the rest is dropped.
    EXPECT_TRUE(TextExt("abc", -1, 5).empty());
}

TEST_F(TextLayout, Utf8AndScaledFonts) {
    // The left offset moves a glyph from the pen.
    Use(kPixelFont);
    EXPECT_EQ(Text("\xC3\xA9x"), (std::vector<Pen>{{101, 50}, {105, 50}}));
    // fntWide: U+00E9 is 7.5 wide, and the pen keeps the half.
    Use(kWideFont);
    Call("draw_text", Num(100), Num(50), Str("\xC3\xA9\xC3\xA9"));
    const auto drawn = Drawn();
    ASSERT_EQ(drawn.size(), 1u);
    const std::vector<Vertex>& v = drawn[0];
    EXPECT_FLOAT_EQ(v[6].x, 100 + 7.5f + 1.5f - 1);
    EXPECT_FLOAT_EQ(v[2].x - v[0].x, 5 * 1.5f);
    EXPECT_FLOAT_EQ(v[2].y - v[0].y, 7 * 2.0f);
}

TEST_F(TextLayout, OneDrawCallPerParagraphWithColoursAndTransforms) {
    Call("draw_set_colour", Num(0x00FF00));
    Call("draw_set_alpha", Num(0.5));
    Call("draw_text", Num(160), Num(20), Str("The quick brown fox\njumps over\nthe lazy dog."));
    Use(kPixelFont);
    Call("draw_text", Num(160), Num(90), Str("xx\xC3\xA9\nx"));
    auto drawn = Drawn();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(std::pair(drawn[0].size(), drawn[1].size()),
              (std::pair<size_t, size_t>(6 * 42, 6 * 4)));
    EXPECT_EQ(drawn[0][0].colour, 0x7F00FF00u);

    // Red to blue along the 12 pixels of the line, from the first quad's left edge (before
    // the line, so red) to the second's right edge.
    Use(-1);
    Call("draw_text_colour", Num(0), Num(0), Str("ab"), Num(0x0000FF), Num(0xFF0000), Num(0xFF0000),
         Num(0x0000FF), Num(1));
    drawn = Drawn();
    ASSERT_EQ(drawn.size(), 1u);
    // The second vertex, at 6, is half way.
    EXPECT_EQ((std::vector{drawn[0][0].colour, drawn[0][1].colour, drawn[0][4].colour,
                           drawn[0][7].colour}),
              (std::vector<uint32_t>{0xFF0000FFu, 0xFF800080u, 0xFF0000FFu, 0xFFFF0000u}));

    // Doubled and turned a quarter: the pen runs up the screen.
    Call("draw_text_transformed", Num(50), Num(50), Str("ab"), Num(2), Num(2), Num(90));
    drawn = Drawn();
    ASSERT_EQ(drawn[0].size(), 12u);
    EXPECT_NEAR(drawn[0][0].x, 48, 1e-4);
    EXPECT_NEAR(drawn[0][0].y, 52, 1e-4);
    EXPECT_NEAR(drawn[0][6].x, 48, 1e-4);
    EXPECT_NEAR(drawn[0][6].y, 40, 1e-4);
}

TEST_F(TextLayout, FontIdsAndArgumentCounts) {
    EXPECT_EQ(std::pair(Number("font_exists", Num(kWideFont)), Number("font_exists", Num(2))),
              std::pair(1.0, 0.0));
    Call("draw_text", Num(0), Num(0));
    EXPECT_EQ(errors_.Messages().back(), "draw_text() - wrong number of arguments");
    EXPECT_TRUE(Pens().empty());
}

TEST_F(TextLayout, SpriteFontWidthsSeparationAndTheSpace) {
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

TEST_F(TextLayout, SpriteFontGlyphsAreTheFramesPicturesAtThePen) {
    Use(SpriteFont('a', true, 1));
    Call("draw_set_colour", Num(0x123456));
    Call("draw_text", Num(10), Num(20), Str("ab ca"));
    const auto drawn = Drawn();
    ASSERT_EQ(drawn.size(), 1u);
    const std::vector<Vertex>& v = drawn[0];
    // The space draws nothing. The left offset takes back each frame's trim, so the pictures
    // start at the pens: 10, 14, 26 (after the space, 6 wide), 29.
    ASSERT_EQ(v.size(), 4u * 6);
    const float pens[] = {10, 14, 26, 29};
    const int frames[] = {0, 1, 2, 0};
    for (size_t i = 0; i < 4; ++i) {
        const Vertex &top_left = v[i * 6], &bottom_right = v[i * 6 + 2];
        EXPECT_EQ(std::tuple(top_left.x, top_left.y, bottom_right.x - top_left.x, bottom_right.y,
                             top_left.u, top_left.colour),
                  std::tuple(pens[i], 20.f, float(kGlyphWidths[frames[i]]), 28.f,
                             8.0f * float(frames[i]) / 64, 0xFF123456u))
            << i;
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
    EXPECT_EQ(std::tuple(box.frame, box.shift, box.offset, font->LineHeight()),
              std::tuple(1, 5 + 1, -2, 12));
    // What the font lacks is drawn as U+25AF.
    EXPECT_EQ(font->Find(U'q'), &box);
    EXPECT_EQ(font->Find(U' ')->shift, 6);
}

class TextGolden : public TextTest {
protected:
    void Open(int width, int height) {
        LoadTables();
        ASSERT_TRUE(scene_.Open(width, height, package_));
        Call("draw_clear_alpha", Num(ColourOf(kNavy)), Num(1));
    }

    GlScene scene_;
};

// White in the default font, then yellow in fntPixel and fntWide: a letter, U+00E9 and a euro
// sign, which both fonts draw as their U+25AF.
TEST_F(TextGolden, DefaultAndPackageFontsWithTheStandIn) {
    ASSERT_NO_FATAL_FAILURE(Open(96, 40));
    Call("draw_set_colour", Num(0xFFFFFF));
    Call("draw_text", Num(2), Num(2), Str("Hello, 1+1=2?"));
    Call("draw_text", Num(2), Num(14), Str("Caf\xC3\xA9 {ok}"));
    Call("draw_set_font", Num(kPixelFont));
    Call("draw_set_colour", Num(0x00FFFF));
    Call("draw_text", Num(60), Num(14), Str("x\xC3\xA9\xE2\x82\xAC"));
    Call("draw_set_font", Num(kWideFont));
    Call("draw_text", Num(60), Num(24), Str("x\xC3\xA9\xE2\x82\xAC"));
    ExpectGolden(scene_.Picture(), "Font/golden/default_and_package_fonts", 0);
}

} // namespace
