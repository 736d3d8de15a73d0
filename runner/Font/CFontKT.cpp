// Fonts from the package or from glyph lists, and glyph look-up.
#include "Font/CFontKT.h"

#include <algorithm>
#include <cmath>

#include "Package/PackageFont.h"

namespace {

// Drawn for a character the font lacks, when the font has it.
constexpr char32_t kMissingGlyph = 0x25AF;

} // namespace

CFontKT::CFontKT(const PackageFont& font)
    : name_(font.name), source_(Source::TexturePage), picture_(font.texture_page),
      scale_x_(font.scale_x), scale_y_(font.scale_y) {
    glyphs_.reserve(font.glyphs.size());
    int32_t tallest = 0;
    for (const package::Glyph& glyph : font.glyphs) {
        glyphs_.push_back({glyph.code_point, glyph.x, glyph.y, glyph.width, glyph.height, 0,
                           glyph.shift, glyph.offset});
        tallest = std::max<int32_t>(tallest, glyph.height);
    }
    const float height = float(tallest) * scale_y_;
    line_height_ = std::isfinite(height) ? int32_t(std::clamp(height, -1e9f, 1e9f)) : 0;
    SortGlyphs();
}

CFontKT::CFontKT(std::string name, Source source, int32_t sprite, std::vector<FontGlyph> glyphs,
                 int32_t line_height)
    : name_(std::move(name)), source_(source), picture_(sprite), glyphs_(std::move(glyphs)),
      line_height_(line_height) {
    SortGlyphs();
}

void CFontKT::SortGlyphs() {
    std::stable_sort(glyphs_.begin(), glyphs_.end(), [](const FontGlyph& a, const FontGlyph& b) {
        return a.code_point < b.code_point;
    });
    if (glyphs_.empty()) return;
    first_ = glyphs_.front().code_point;
    last_ = glyphs_.back().code_point;
}

const FontGlyph* CFontKT::FindExact(char32_t code_point) const {
    auto found = std::lower_bound(
        glyphs_.begin(), glyphs_.end(), code_point,
        [](const FontGlyph& glyph, char32_t wanted) { return glyph.code_point < wanted; });
    return found != glyphs_.end() && found->code_point == code_point ? &*found : nullptr;
}

const FontGlyph* CFontKT::Find(char32_t code_point) const {
    if (const FontGlyph* glyph = FindExact(code_point)) return glyph;
    return FindExact(kMissingGlyph);
}
