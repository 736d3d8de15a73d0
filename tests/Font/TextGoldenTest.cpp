// Text on OpenGL without a display, against golden images: a centred paragraph in a sprite font
// lacking a character, and the default and package fonts with the U+25AF stand-in. Text at
// whole positions must stay crisp, so the pixel checks are exact.
#include "FontFixture.h"
#include "Graphics/GlScene.h"
#include "Graphics/GoldenPixels.h"

namespace {

class TextGolden : public TextTest {
protected:
    void Open(int width, int height) {
        LoadTables();
        ASSERT_TRUE(scene_.Open(width, height, package_));
        Call("draw_clear_alpha", Num(ColourOf(kNavy)), Num(1));
    }

    GlScene scene_;
};

// Three yellow lines centred on (32, 20); the euro sign is not in the font and takes no space.
TEST_F(TextGolden, ACentredParagraphInASpriteFont) {
    ASSERT_NO_FATAL_FAILURE(Open(64, 40));
    Call("draw_set_font", Num(SpriteFont('a', true, 1)));
    Call("draw_set_halign", Num(fa_center));
    Call("draw_set_valign", Num(fa_middle));
    Call("draw_set_colour", Num(0x00FFFF));
    Call("draw_text", Num(32), Num(20), Str("abc dab\nba\u20ACd\ncc"));
    ExpectGolden(scene_.Picture(), "Font/golden/sprite_font_paragraph", 0);
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
    ExpectGolden(scene_.Picture(), "Font/golden/default_and_package_fonts", 0);
}

} // namespace
