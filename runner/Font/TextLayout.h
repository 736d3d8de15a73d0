// Text laid out in a font: the string broken into lines (at line breaks, and at spaces to fit
// a wrap width) and measured. Drawing and the measuring built-ins share these, so what is
// measured is what is drawn.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CFontKT;

// No wrap width.
constexpr int32_t kNoWrap = -1;

// A line as a stretch of the text's code points.
struct TextLine {
    size_t begin = 0, end = 0;
    bool operator==(const TextLine&) const = default;
};

inline std::u32string_view LineText(std::u32string_view text, const TextLine& line) {
    return text.substr(line.begin, line.end - line.begin);
}

// With no wrap width (below 0) lines end at CR or LF, CR LF and LF CR each being one break,
// and a break at the very end starts no further line. With a wrap width lines end only at LF
// and at spaces, dropping leading and trailing spaces and empty lines; when not even one
// character fits, the rest of the text is dropped.
std::vector<TextLine> BreakLines(const CFontKT& font, std::u32string_view text, int32_t wrap);

// The sum of the glyphs' advances times the horizontal scale, truncated after each glyph;
// characters without a glyph add nothing.
int32_t LineWidth(const CFontKT& font, std::u32string_view line);

// The width of the widest line and the height of all lines, `separation` apart (-1 for the
// font's line height).
struct TextExtent {
    int32_t width = 0, height = 0;
};
TextExtent MeasureText(const CFontKT& font, std::string_view utf8, int32_t separation,
                       int32_t wrap);
