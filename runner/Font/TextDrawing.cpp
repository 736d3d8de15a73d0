// Lines placed by the alignment, glyphs placed along each line, and each glyph turned into a
// quad of the font's picture or of its sprite.
#include "Font/TextDrawing.h"

#include <algorithm>
#include <cmath>

#include "Font/CFontKT.h"
#include "Font/DefaultFont.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"
#include "Support/Utf8Text.h"

namespace {

constexpr float kPi = 3.1415927f;

// Each channel of a and b mixed, t of the way to b (t clamped to 0..1).
uint32_t Mix(uint32_t a, uint32_t b, double t) {
    if (a == b) return a;
    t = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0.0;
    uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double from = double(a >> shift & 0xFFu), to = double(b >> shift & 0xFFu);
        mixed |= uint32_t(std::lround(from + (to - from) * t)) << shift;
    }
    return mixed;
}

// Places text-block coordinates (pixels from the block's anchor, before the block's scale and
// turn) in the world.
class BlockTransform {
public:
    explicit BlockTransform(const TextPlacement& placement)
        : p_(placement), cos_(std::cos(placement.angle * kPi / 180.0f)),
          sin_(std::sin(placement.angle * kPi / 180.0f)) {}

    Placement At(double local_x, double local_y, float glyph_xscale, float glyph_yscale) const {
        const double px = local_x * double(p_.xscale), py = local_y * double(p_.yscale);
        return {float(p_.x + px * double(cos_) + py * double(sin_)),
                float(p_.y - px * double(sin_) + py * double(cos_)), glyph_xscale * p_.xscale,
                glyph_yscale * p_.yscale, p_.angle};
    }

private:
    const TextPlacement& p_;
    float cos_, sin_;
};

// Draws the glyphs of one line; knows the font's picture and the line's colour span.
class LineWriter {
public:
    LineWriter(GraphicsContext& graphics, const CFontKT& font, const TextPlacement& placement)
        : graphics_(graphics), font_(font), placement_(placement), transform_(placement),
          picture_(FontPicture()) {}

    void Draw(std::u32string_view line, double left, double top, int32_t width) {
        left_ = left;
        width_ = width;
        double cursor = left;
        for (char32_t c : line) {
            const FontGlyph* glyph = font_.Find(c);
            if (!glyph) continue;
            const double x = cursor + double(glyph->offset) * double(font_.ScaleX());
            if (font_.Kind() == CFontKT::Source::Sprite) {
                if (c != U' ') DrawFrame(*glyph, x, top);
            } else if (picture_) {
                DrawCutOut(*glyph, x, top);
            }
            cursor += double(glyph->shift) * double(font_.ScaleX());
        }
    }

private:
    const FrameImage* FontPicture() const {
        switch (font_.Kind()) {
        case CFontKT::Source::TexturePage: return graphics_.Pages().Entry(font_.Picture());
        case CFontKT::Source::Builtin: return graphics_.Pages().Builtin(DefaultFontPicture());
        case CFontKT::Source::Sprite: break;
        }
        return nullptr;
    }

    // The line's colours at the left and right edges of a quad `width` wide at x.
    CornerColours ColoursFor(double x, double width) const {
        const CornerColours& c = placement_.colours;
        if (c[0] == c[1] && c[0] == c[2] && c[0] == c[3]) return c;
        const double a = width_ > 0 ? (x - left_) / width_ : 0;
        const double b = width_ > 0 ? (x + width - left_) / width_ : 0;
        return {Mix(c[0], c[1], a), Mix(c[0], c[1], b), Mix(c[3], c[2], b), Mix(c[3], c[2], a)};
    }

    // The glyph's rectangle with one texel of margin all round.
    void DrawCutOut(const FontGlyph& glyph, double x, double top) {
        FrameImage cut = *picture_;
        cut.u0 = picture_->u0 + float(glyph.x - 1) * picture_->texel_width;
        cut.v0 = picture_->v0 + float(glyph.y - 1) * picture_->texel_height;
        cut.u1 = picture_->u0 + float(glyph.x + glyph.width + 1) * picture_->texel_width;
        cut.v1 = picture_->v0 + float(glyph.y + glyph.height + 1) * picture_->texel_height;
        cut.target_x = cut.target_y = 0;
        cut.target_width = glyph.width + 2;
        cut.target_height = glyph.height + 2;
        const double drawn_width = double(cut.target_width) * double(font_.ScaleX());
        graphics_.DrawImage(cut, 0, 0,
                            transform_.At(x - 1, top - 1, font_.ScaleX(), font_.ScaleY()),
                            ColoursFor(x - 1, drawn_width));
    }

    void DrawFrame(const FontGlyph& glyph, double x, double top) {
        const CSprite* sprite = GetSprite(font_.Picture());
        if (!sprite || glyph.frame >= sprite->FrameCount()) return;
        const FrameImage* frame = graphics_.Pages().Entry(sprite->Frames()[size_t(glyph.frame)]);
        if (!frame) return;
        graphics_.DrawImage(*frame, sprite->OriginX(), sprite->OriginY(),
                            transform_.At(x, top, font_.ScaleX(), font_.ScaleY()),
                            ColoursFor(x, double(sprite->Width()) * double(font_.ScaleX())));
    }

    GraphicsContext& graphics_;
    const CFontKT& font_;
    const TextPlacement& placement_;
    BlockTransform transform_;
    const FrameImage* picture_;
    double left_ = 0;
    int32_t width_ = 0;
};

} // namespace

void DrawText(GraphicsContext& graphics, const CFontKT& font, const TextDrawState& align,
              std::string_view utf8, const TextPlacement& placement) {
    const std::u32string text = Utf8CodePoints(utf8);
    const std::vector<TextLine> lines = BreakLines(font, text, placement.wrap);
    const int64_t separation = placement.separation < 0 ? font.LineHeight() : placement.separation;
    const int64_t count = int64_t(lines.size());
    double top = align.valign == 1   ? double(-(count * separation) / 2)
                 : align.valign == 2 ? double(-count * separation)
                                     : 0.0;
    LineWriter writer(graphics, font, placement);
    for (const TextLine& line : lines) {
        const std::u32string_view line_text = LineText(text, line);
        if (!line_text.empty()) {
            const int32_t width = LineWidth(font, line_text);
            const int32_t left = align.halign == 1 ? -(width / 2) : align.halign == 2 ? -width : 0;
            writer.Draw(line_text, left, top, width);
        }
        top += double(separation);
    }
}
