// A font as text layout uses it: a glyph table sorted by code point, the line height and the
// scales, and where the glyph pictures come from (a region of a texture page, the frames of a
// sprite, or the runner's own default font).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PackageFont;

// Advance and left offset are in font pixels, before the font's horizontal scale.
struct FontGlyph {
    char32_t code_point = 0;
    int32_t x = 0, y = 0; // on the font's picture (unused by sprite fonts)
    int32_t width = 0, height = 0;
    int32_t frame = 0;  // the sprite frame of a sprite font's glyph
    int32_t shift = 0;  // advance
    int32_t offset = 0; // left offset
};

class CFontKT {
public:
    enum class Source {
        TexturePage, // glyph rectangles on the picture of a texture page entry
        Sprite,      // one sprite frame per glyph
        Builtin,     // glyph rectangles on the default font's own picture
    };

    // A package font: its glyphs (sorted here), scales and texture page entry.
    explicit CFontKT(const PackageFont& font);
    // A font of the given glyphs (in any order) over a sprite or the built-in picture; `source`
    // names the sprite for Source::Sprite. Scales are 1.
    CFontKT(std::string name, Source source, int32_t sprite, std::vector<FontGlyph> glyphs,
            int32_t line_height);

    const std::string& Name() const { return name_; }
    Source Kind() const { return source_; }
    // The sprite of a sprite font, or the texture page entry of a package font.
    int32_t Picture() const { return picture_; }
    char32_t First() const { return first_; }
    char32_t Last() const { return last_; }
    // The largest glyph height times the vertical scale, truncated.
    int32_t LineHeight() const { return line_height_; }
    float ScaleX() const { return scale_x_; }
    float ScaleY() const { return scale_y_; }
    const std::vector<FontGlyph>& Glyphs() const { return glyphs_; }

    // The glyph of the code point; failing that the glyph of U+25AF; failing that null.
    const FontGlyph* Find(char32_t code_point) const;

private:
    void SortGlyphs();
    const FontGlyph* FindExact(char32_t code_point) const;

    std::string name_;
    Source source_;
    int32_t picture_;
    std::vector<FontGlyph> glyphs_;
    char32_t first_ = 0, last_ = 0;
    int32_t line_height_ = 0;
    float scale_x_ = 1, scale_y_ = 1;
};
