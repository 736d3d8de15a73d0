// Text tests: every built-in registered, a drawing context (over the null device, or over a
// real one for golden images) and a small package of one 64x32 texture page:
//
//   sGlyphs (sprite 0): four 8x8 frames for a sprite font, at (8i, 0) on the page, trimmed to
//       their visible columns: widths 3, 5, 2, 4 at x offsets 1, 0, 3, 2 in the frame; each is
//       white with its top-right texel clear, so a mirrored or misplaced glyph shows
//   fntPixel (font 0): its 32x16 image at (0, 16); glyphs 'x' (advance 4), U+00E9 (advance 5,
//       left offset 1) and U+25AF (advance 4), each 3x5 with a clear texel around it
//   fntWide (font 1): the same glyphs with a horizontal scale of 1.5 and a vertical one of 2
#pragma once

#include <memory>
#include <vector>

#include "BuiltinCallFixture.h"
#include "Code/GameConstants.h"
#include "Code/RuntimeError.h"
#include "Code/ValueTestSupport.h"
#include "Font/FontTable.h"
#include "Graphics/GraphicsContext.h"
#include "Sprite/SpriteTable.h"

namespace font_test {

enum SpriteIndex { kGlyphSprite };
enum FontIndex { kPixelFont, kWideFont };
constexpr int kFrameSize = 8;
constexpr int kGlyphWidths[] = {3, 5, 2, 4};
constexpr int kGlyphOffsets[] = {1, 0, 3, 2};
constexpr char32_t kBox = 0x25AF;

struct Painter {
    PackageTexture& page;
    void Fill(int left, int top, int width, int height, uint8_t alpha) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x) {
                uint8_t* texel = &page.pixels[(size_t(y) * page.width + size_t(x)) * 4];
                texel[0] = texel[1] = texel[2] = 255;
                texel[3] = alpha;
            }
    }
};

inline package::TexturePageEntry Entry(uint16_t x, uint16_t y, uint16_t width, uint16_t height,
                                       uint16_t target_x, uint16_t frame_size) {
    return {x, y, width, height, target_x, 0, width, height, frame_size, frame_size, 0};
}

inline GamePackage FontPackage() {
    GamePackage package;
    PackageTexture page;
    page.width = 64;
    page.height = 32;
    page.pixels.assign(size_t(page.width) * page.height * 4, 0);
    Painter paint{page};
    for (int i = 0; i < 4; ++i) {
        paint.Fill(8 * i, 0, kGlyphWidths[i], kFrameSize, 255);
        paint.Fill(8 * i + kGlyphWidths[i] - 1, 0, 1, 1, 0);
        package.texture_page_entries.push_back(Entry(uint16_t(8 * i), 0, uint16_t(kGlyphWidths[i]),
                                                     kFrameSize, uint16_t(kGlyphOffsets[i]),
                                                     kFrameSize));
    }
    // fntPixel's glyphs: 'x' a cross, U+00E9 a block with a hole, U+25AF an outline.
    const int top = 16 + 1;
    for (int i = 0; i < 3; ++i)
        paint.Fill(1 + i, top + i + 1, 1, 1, 255);
    paint.Fill(1, top + 3, 1, 1, 255);
    paint.Fill(3, top + 1, 1, 1, 255);
    paint.Fill(6, top, 3, 5, 255);
    paint.Fill(7, top + 2, 1, 1, 0);
    paint.Fill(11, top, 3, 5, 255);
    paint.Fill(12, top + 1, 1, 3, 0);
    package.texture_page_entries.push_back(Entry(0, 16, 32, 16, 0, 32));
    package.textures = {page};

    PackageSprite glyphs;
    glyphs.width = glyphs.height = kFrameSize;
    glyphs.bbox_right = glyphs.bbox_bottom = kFrameSize - 1;
    glyphs.frames = {0, 1, 2, 3};
    package.sprites = {glyphs};

    PackageFont pixel;
    pixel.name = "fntPixel";
    pixel.texture_page = 4;
    pixel.glyphs = {{U'x', 1, 1, 3, 5, 4, 0, 0},
                    {0xE9, 6, 1, 3, 5, 5, 1, 0},
                    {uint16_t(kBox), 11, 1, 3, 5, 4, 0, 0}};
    PackageFont wide = pixel;
    wide.name = "fntWide";
    wide.scale_x = 1.5f;
    wide.scale_y = 2;
    package.fonts = {pixel, wide};
    return package;
}

} // namespace font_test

// The package loaded into `graphics`, its sprites and fonts into their tables; undone at the
// end of the test.
class TextTest : public BuiltinCallTest {
protected:
    void LoadInto(GraphicsContext& graphics) {
        package_ = font_test::FontPackage();
        graphics.LoadPackage(package_);
        SetActiveGraphics(&graphics);
        LoadSprites(package_.sprites);
        LoadFonts(package_.fonts);
    }
    void TearDown() override {
        SetActiveGraphics(nullptr);
        ClearFonts();
        ClearSprites();
        BuiltinCallTest::TearDown();
    }

    // The id of a new sprite font of sGlyphs.
    double SpriteFont(double first, bool proportional, double separation) {
        return Number("font_add_sprite", Num(font_test::kGlyphSprite), Num(first),
                      Num(proportional), Num(separation));
    }

    GamePackage package_;
    RuntimeErrorCapture errors_;
};
