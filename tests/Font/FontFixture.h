// Text tests: every built-in registered, a drawing context (over the null device, or a real
// one for golden images) and a package of one 64x32 texture page (data/font_page.txt):
//   sprite 0, sGlyphs: four 8x8 frames at (8i, 0), trimmed to widths 3, 5, 2, 4 at x offsets
//       1, 0, 3, 2; white with the top-right texel clear, so misplaced glyphs show
//   font 0, fntPixel: its image at (0, 16); 3x5 glyphs 'x' (advance 4), U+00E9 (advance 5,
//       left offset 1) and U+25AF (advance 4), each with a clear texel around it
//   font 1, fntWide: the same glyphs scaled 1.5 across and 2 down
#pragma once

#include "BuiltinCallFixture.h"
#include "Code/GameConstants.h"
#include "Code/RuntimeError.h"
#include "Code/ValueTestSupport.h"
#include "Font/FontTable.h"
#include "Graphics/GoldenPixels.h"
#include "Graphics/GraphicsContext.h"
#include "Sprite/SpriteTable.h"

namespace font_test {

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

} // namespace font_test

class TextTest : public BuiltinCallTest {
protected:
    void LoadTables() {
        package_ = font_test::FontPackage();
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
