// Line breaking and measuring.
#include "Font/TextLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "Font/CFontKT.h"
#include "Support/Utf8Text.h"

namespace {

constexpr char32_t kLineFeed = U'\n', kReturn = U'\r', kSpace = U' ';

bool IsBreak(char32_t c) {
    return c == kLineFeed || c == kReturn;
}

std::vector<TextLine> BreakAtLineEnds(std::u32string_view text) {
    std::vector<TextLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && !IsBreak(text[end]))
            ++end;
        lines.push_back({start, end});
        start = end + 1;
        // The other half of a CR LF or LF CR pair.
        if (start < text.size() && IsBreak(text[start]) && text[start] != text[end]) ++start;
    }
    return lines;
}

double Advance(const CFontKT& font, char32_t c) {
    const FontGlyph* glyph = font.Find(c);
    return glyph ? double(glyph->shift) * double(font.ScaleX()) : 0.0;
}

// Widths are whole pixels after every glyph; a scale from a damaged package must not make
// them NaN or overflow.
double AddAdvance(double width, double advance) {
    const double sum = std::trunc(width + advance);
    return std::isfinite(sum) ? std::clamp(sum, -1e9, 1e9) : 0.0;
}

size_t TrimSpacesBefore(std::u32string_view text, size_t begin, size_t end) {
    while (end > begin && text[end - 1] == kSpace)
        --end;
    return end;
}

std::vector<TextLine> BreakToWidth(const CFontKT& font, std::u32string_view text, int32_t wrap) {
    std::vector<TextLine> lines;
    const size_t size = text.size();
    size_t pos = 0;
    while (pos < size) {
        while (pos < size && text[pos] == kSpace)
            ++pos;
        const size_t start = pos;
        double sum = 0;
        while (pos < size && sum < wrap && text[pos] != kLineFeed) {
            sum = AddAdvance(sum, Advance(font, text[pos]));
            ++pos;
        }
        if (sum > wrap) --pos;

        TextLine line{start, pos};
        size_t next = pos;
        if (pos < size && text[pos] == kLineFeed) {
            next = pos + 1;
        } else if (pos == start) {
            break;
        } else if (pos == size || text[pos] == kSpace) {
            line.end = TrimSpacesBefore(text, start, pos);
        } else {
            size_t space = pos;
            while (space > start && text[space] != kSpace)
                --space;
            if (space > start) {
                line.end = TrimSpacesBefore(text, start, space);
                next = space;
            } else {
                // A word wider than the line stays whole.
                while (pos < size && text[pos] != kSpace && text[pos] != kLineFeed)
                    ++pos;
                line.end = next = pos;
            }
        }
        if (line.end > line.begin) lines.push_back(line);
        pos = next;
    }
    return lines;
}

} // namespace

std::vector<TextLine> BreakLines(const CFontKT& font, std::u32string_view text, int32_t wrap) {
    return wrap < 0 ? BreakAtLineEnds(text) : BreakToWidth(font, text, wrap);
}

int32_t LineWidth(const CFontKT& font, std::u32string_view line) {
    double width = 0;
    for (char32_t c : line)
        width = AddAdvance(width, Advance(font, c));
    return int32_t(width);
}

TextExtent MeasureText(const CFontKT& font, std::string_view utf8, int32_t separation,
                       int32_t wrap) {
    const std::u32string text = Utf8CodePoints(utf8);
    const std::vector<TextLine> lines = BreakLines(font, text, wrap);
    TextExtent extent;
    for (const TextLine& line : lines)
        extent.width = std::max(extent.width, LineWidth(font, LineText(text, line)));
    if (!lines.empty()) {
        const int32_t step = separation < 0 ? font.LineHeight() : separation;
        const int64_t height = int64_t(lines.size() - 1) * step + font.LineHeight();
        extent.height = int32_t(std::clamp<int64_t>(height, INT32_MIN, INT32_MAX));
    }
    return extent;
}
