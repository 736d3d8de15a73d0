// Glyph metrics from a sprite's frames.
#include "Font/SpriteFont.h"

#include <algorithm>
#include <climits>

#include "Sprite/CSprite.h"

namespace {

// Metrics stay within 32 bits however wild a damaged package's bounding box is.
int32_t Clamped(int64_t value) {
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

std::unique_ptr<CFontKT> MakeSpriteFont(std::string name, int32_t sprite_index,
                                        const CSprite& sprite, int32_t first, bool proportional,
                                        int32_t separation, const FrameSpanOf& span_of) {
    const int32_t count = sprite.FrameCount();
    std::vector<FontGlyph> glyphs;
    glyphs.reserve(size_t(count) + 1);
    bool has_space = false;
    for (int32_t i = 0; i < count; ++i) {
        int64_t left = 0, right = sprite.Width();
        if (proportional) {
            const std::optional<FrameSpan> span = span_of(i);
            left = span ? span->left : sprite.BBox().left;
            right = span ? span->right : int64_t(sprite.BBox().right) + 1;
        }
        FontGlyph glyph;
        glyph.code_point = char32_t(int64_t(first) + i);
        glyph.frame = i;
        glyph.width = Clamped(right - left);
        glyph.height = sprite.Height();
        glyph.shift = Clamped(right - left + separation);
        glyph.offset = Clamped(-left);
        has_space |= glyph.code_point == U' ';
        glyphs.push_back(glyph);
    }
    if (!has_space) {
        FontGlyph space;
        space.code_point = U' ';
        space.frame = count;
        space.width = sprite.Width();
        space.height = sprite.Height();
        // As wide as the widest glyph; none of the others is a space.
        const auto widest = std::max_element(
            glyphs.begin(), glyphs.end(),
            [](const FontGlyph& a, const FontGlyph& b) { return a.shift < b.shift; });
        space.shift = widest == glyphs.end() ? 0 : widest->shift;
        glyphs.push_back(space);
    }
    return std::make_unique<CFontKT>(std::move(name), CFontKT::Source::Sprite, sprite_index,
                                     std::move(glyphs), sprite.Height());
}
