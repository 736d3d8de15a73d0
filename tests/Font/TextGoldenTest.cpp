// Text on the OpenGL device without a display, against golden images: a centred paragraph in
// a sprite font with a character it lacks, and the default and package fonts with the U+25AF
// stand-in. Text at whole positions must stay crisp, so the pixel checks are exact.
#include <memory>

#include "FontFixture.h"
#include "Platform/GlTestWindow.h"
#include "Platform/GoldenImage.h"

namespace {

constexpr Rgba kNavy{20, 30, 60, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

class TextGolden : public TextTest {
protected:
    void Open(int width, int height) {
        std::string error;
        ASSERT_TRUE(window_.Open(width, height, error)) << error;
        image_.width = width;
        image_.height = height;
        graphics_ = std::make_unique<GraphicsContext>(window_.Device(), width, height);
        LoadInto(*graphics_);
        window_.Device().BeginFrame();
        graphics_->BeginFrame();
        Call("draw_clear_alpha", Num(kNavy.r | kNavy.g << 8 | kNavy.b << 16), Num(1));
    }
    void TearDown() override {
        TextTest::TearDown();
        graphics_.reset();
    }
    const RgbaImage& Picture() {
        graphics_->Flush();
        image_.pixels = window_.Device().ReadPixels(0, 0, image_.width, image_.height);
        return image_;
    }
    struct Pixel {
        int x, y;
        Rgba colour;
    };
    void ExpectPixels(std::initializer_list<Pixel> pixels) const {
        for (const Pixel& pixel : pixels)
            EXPECT_EQ(PixelAt(image_.pixels, image_.width, pixel.x, pixel.y), pixel.colour)
                << "at (" << pixel.x << ", " << pixel.y << ")";
    }

    GlTestWindow window_;
    std::unique_ptr<GraphicsContext> graphics_;
    RgbaImage image_;
};

// Three yellow lines centred on (32, 20); the euro sign is not in the font and takes no space.
TEST_F(TextGolden, ACentredParagraphInASpriteFont) {
    ASSERT_NO_FATAL_FAILURE(Open(64, 40));
    Call("draw_set_font", Num(SpriteFont('a', true, 1)));
    Call("draw_set_halign", Num(fa_center));
    Call("draw_set_valign", Num(fa_middle));
    Call("draw_set_colour", Num(0x00FFFF));
    Call("draw_text", Num(32), Num(20),
         Str("abc dab\nba\xE2\x82\xAC"
             "d\ncc"));
    const RgbaImage& image = Picture();
    // Line 1 is 34 wide, from 15; three lines of 8 start 12 above 20; 'a' has its clear
    // top-right texel. Line 2 is 6 + 4 + 0 + 5 wide, from 25: 'd' follows 'a' directly, at 35
    // to 38.
    ExpectPixels({{14, 8, kNavy},
                  {15, 8, kYellow},
                  {17, 8, kNavy},
                  {17, 9, kYellow},
                  {34, 20, kNavy},
                  {35, 20, kYellow},
                  {39, 20, kNavy}});
    EXPECT_TRUE(MatchesGoldenImage(image, "Font/golden/sprite_font_paragraph.png"));
}

// White in the default font, then yellow in fntPixel and fntWide: a letter, U+00E9 and a euro
// sign, which both fonts draw as their U+25AF.
TEST_F(TextGolden, DefaultAndPackageFontsWithTheStandIn) {
    ASSERT_NO_FATAL_FAILURE(Open(96, 40));
    Call("draw_set_colour", Num(0xFFFFFF));
    Call("draw_text", Num(2), Num(2), Str("Hello, 1+1=2?"));
    Call("draw_text", Num(2), Num(14), Str("Caf\xC3\xA9 {ok}"));
    Call("draw_set_font", Num(font_test::kPixelFont));
    Call("draw_set_colour", Num(0x00FFFF));
    Call("draw_text", Num(60), Num(14), Str("x\xC3\xA9\xE2\x82\xAC"));
    Call("draw_set_font", Num(font_test::kWideFont));
    Call("draw_text", Num(60), Num(24), Str("x\xC3\xA9\xE2\x82\xAC"));
    const RgbaImage& image = Picture();
    // 'H' has one-pixel uprights with nothing between them; the fourth glyph of line 2 is the
    // box; fntPixel's U+00E9 has its hole at (66, 16); fntWide's rows are two pixels high.
    ExpectPixels({{2, 2, kWhite},
                  {3, 2, kNavy},
                  {6, 8, kWhite},
                  {20, 14, kWhite},
                  {21, 15, kNavy},
                  {65, 14, kYellow},
                  {66, 16, kNavy},
                  {61, 26, kNavy},
                  {61, 27, kYellow},
                  {61, 28, kYellow}});
    EXPECT_TRUE(MatchesGoldenImage(image, "Font/golden/default_and_package_fonts.png"));
}

} // namespace
