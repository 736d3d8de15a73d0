// Text on the OpenGL device without a display, compared with golden images: a centred
// paragraph in a sprite font with a character the font lacks, and the default and package
// fonts with the U+25AF stand-in. Glyph pixels land on whole screen pixels, so the checks
// below ask for exact colours: text drawn at whole positions must stay crisp.
#include <memory>

#include "FontFixture.h"
#include "Platform/GlTestWindow.h"
#include "Platform/GoldenImage.h"

namespace {

using namespace font_test;

constexpr Rgba kNavy{20, 30, 60, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

class TextGolden : public TextTest {
protected:
    void Open(int width, int height) {
        std::string error;
        ASSERT_TRUE(window_.Open(width, height, error)) << error;
        width_ = width;
        height_ = height;
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
    RgbaImage Picture() {
        graphics_->Flush();
        return {width_, height_, window_.Device().ReadPixels(0, 0, width_, height_)};
    }

    GlTestWindow window_;
    std::unique_ptr<GraphicsContext> graphics_;
    int width_ = 0, height_ = 0;
};

Rgba At(const RgbaImage& image, int x, int y) {
    return PixelAt(image.pixels, image.width, x, y);
}

// Three lines centred on (32, 20) in yellow; the euro sign is not in the font and takes no
// space.
TEST_F(TextGolden, ACentredParagraphInASpriteFont) {
    ASSERT_NO_FATAL_FAILURE(Open(64, 40));
    Call("draw_set_font", Num(SpriteFont('a', true, 1)));
    Call("draw_set_halign", Num(fa_center));
    Call("draw_set_valign", Num(fa_middle));
    Call("draw_set_colour", Num(0x00FFFF));
    Call("draw_text", Num(32), Num(20),
         Str("abc dab\nba\xE2\x82\xAC"
             "d\ncc"));
    const RgbaImage image = Picture();
    // Line 1 is 34 wide, so it starts at 15; three lines of 8 start 12 above 20.
    EXPECT_EQ(At(image, 14, 8), kNavy);
    EXPECT_EQ(At(image, 15, 8), kYellow);
    EXPECT_EQ(At(image, 17, 8), kNavy); // the clear top-right texel of 'a'
    EXPECT_EQ(At(image, 17, 9), kYellow);
    EXPECT_EQ(At(image, 15, 7), kNavy);
    EXPECT_EQ(At(image, 15, 15), kYellow);
    // Line 2 is 6 + 4 + 0 + 5 wide, from 25: 'd' follows 'a' directly, at 35.
    EXPECT_EQ(At(image, 25, 16), kYellow);
    EXPECT_EQ(At(image, 34, 20), kNavy);
    EXPECT_EQ(At(image, 35, 20), kYellow);
    EXPECT_EQ(At(image, 38, 20), kYellow);
    EXPECT_EQ(At(image, 39, 20), kNavy);
    // Line 3, 6 wide, from 29 to 34 at y 24.
    EXPECT_EQ(At(image, 29, 24), kYellow);
    EXPECT_EQ(At(image, 28, 24), kNavy);
    EXPECT_EQ(At(image, 33, 31), kYellow);
    EXPECT_TRUE(MatchesGoldenImage(image, "Font/golden/sprite_font_paragraph.png"));
}

// The default font in white, then fntPixel and the doubled fntWide with a letter, U+00E9 and a
// euro sign that both draw as U+25AF.
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
    const RgbaImage image = Picture();
    // 'H': both uprights and the bar, one pixel each, nothing between.
    EXPECT_EQ(At(image, 2, 2), kWhite);
    EXPECT_EQ(At(image, 3, 2), kNavy);
    EXPECT_EQ(At(image, 6, 2), kWhite);
    EXPECT_EQ(At(image, 4, 5), kWhite);
    EXPECT_EQ(At(image, 2, 8), kWhite);
    EXPECT_EQ(At(image, 2, 9), kNavy);
    EXPECT_EQ(At(image, 7, 2), kNavy);
    // U+00E9 is not in the default font: the fourth glyph of line 2 is the outlined box.
    EXPECT_EQ(At(image, 20, 14), kWhite);
    EXPECT_EQ(At(image, 21, 15), kNavy);
    EXPECT_EQ(At(image, 24, 20), kWhite);
    // fntPixel: 'x' at 60, U+00E9 from 64 + 1 with its hole, the box from 69.
    EXPECT_EQ(At(image, 60, 15), kYellow);
    EXPECT_EQ(At(image, 61, 15), kNavy);
    EXPECT_EQ(At(image, 65, 14), kYellow);
    EXPECT_EQ(At(image, 66, 16), kNavy);
    EXPECT_EQ(At(image, 69, 14), kYellow);
    EXPECT_EQ(At(image, 70, 15), kNavy);
    // fntWide: 1.5 times as wide, twice as tall; the cross's first row is two pixels high.
    EXPECT_EQ(At(image, 61, 26), kNavy);
    EXPECT_EQ(At(image, 61, 27), kYellow);
    EXPECT_EQ(At(image, 61, 28), kYellow);
    EXPECT_EQ(At(image, 61, 29), kNavy);
    EXPECT_TRUE(MatchesGoldenImage(image, "Font/golden/default_and_package_fonts.png"));
}

} // namespace
