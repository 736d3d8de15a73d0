// Text with inline sprite glyphs ("\sName:frame", used for button prompts) and centred lines.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "CodeTable.h"
#include "GameNames.h"

namespace {

// A run of plain text between glyphs, drawn and measured at the width reached so far.
class TextPieces {
public:
    TextPieces(CInstance* self, CInstance* other, double x, const RValue& y, bool measure)
        : self_(self), other_(other), x_(x), y_(y), measure_(measure) {}

    void Append(char c) { piece_ += c; }

    void Flush() {
        const Value text(piece_);
        if (!measure_) Call(self_, other_, FN_draw_text, Value(x_ + width_), y_, text);
        width_ += Real(Call(self_, other_, FN_string_width, text));
        piece_.clear();
    }

    // The frame of the glyph's sprite, top-aligned with the text: the sprite's origin is added so
    // that its top-left corner lands at the pen.
    void Glyph(const Value& sprite, const Value& frame) {
        if (!measure_)
            Call(self_, other_, FN_draw_sprite, sprite, frame,
                 Value(x_ + width_) + Call(self_, other_, FN_sprite_get_xoffset, sprite),
                 y_ + Call(self_, other_, FN_sprite_get_yoffset, sprite));
        width_ += Real(Call(self_, other_, FN_sprite_get_width, sprite));
    }

    double Width() const { return width_; }

private:
    CInstance* self_;
    CInstance* other_;
    double x_;
    const RValue& y_;
    bool measure_;
    std::string piece_;
    double width_ = 0;
};

} // namespace

// sprite_text_impl(x, y, text, measure only): the text's width; drawn at (x, y) unless measuring.
// "\\" is one backslash, as is a backslash at the very end; any other backslash and the
// marker character after it (by convention "s") start a glyph: the name of a sprite without its
// "s" up to ":", then the frame's digits.
RValue* psl_Script_sprite_text_impl(CInstance* self, CInstance* other, RValue* result, int argc,
                                    RValue** argv) {
    ScriptFrame frame("psl_Script_sprite_text_impl", result);
    const std::string text = ValueText(Argument(argc, argv, 2));
    TextPieces pieces(self, other, Real(Argument(argc, argv, 0)), Argument(argc, argv, 1),
                      bool(Value(Argument(argc, argv, 3))));
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] != '\\' || at + 1 == text.size()) {
            pieces.Append(text[at++]);
            continue;
        }
        if (text[at + 1] == '\\') {
            pieces.Append('\\');
            at += 2;
            continue;
        }
        pieces.Flush();
        at += 2;
        const size_t colon = std::min(text.find(':', at), text.size());
        // The marker is not part of the name: the sprite is found with the sprites' prefix.
        const Value sprite =
            Call(self, other, FN_asset_get_index,
                 Value("s") + Value(std::string_view(text).substr(at, colon - at)));
        at = std::min(colon + 1, text.size());
        const size_t digits = at;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))
            ++at;
        pieces.Glyph(sprite, Call(self, other, FN_real,
                                  Value(std::string_view(text).substr(digits, at - digits))));
    }
    pieces.Flush();
    Assign(*result, Value(pieces.Width()));
    return result;
}

// draw_text_sprite(x, y, text): draws a text with inline glyphs.
RValue* psl_Script_draw_text_sprite(CInstance* self, CInstance* other, RValue* result, int argc,
                                    RValue** argv) {
    ScriptFrame frame("psl_Script_draw_text_sprite", result);
    CallScript(psl_Script_sprite_text_impl, self, other, Argument(argc, argv, 0),
               Argument(argc, argv, 1), Argument(argc, argv, 2), Value(0));
    return result;
}

// string_width_sprite(text): the width in pixels of a text with inline glyphs.
RValue* psl_Script_string_width_sprite(CInstance* self, CInstance* other, RValue* result, int argc,
                                       RValue** argv) {
    ScriptFrame frame("psl_Script_string_width_sprite", result);
    Assign(*result, CallScript(psl_Script_sprite_text_impl, self, other, Value(0), Value(0),
                               Argument(argc, argv, 0), Value(1)));
    return result;
}

// draw_text_centered(x, y, text): each line centred on x (in whole pixels, as centred text is
// drawn), one under the other.
RValue* psl_Script_draw_text_centered(CInstance* self, CInstance* other, RValue* result, int argc,
                                      RValue** argv) {
    ScriptFrame frame("psl_Script_draw_text_centered", result);
    const double x = Real(Argument(argc, argv, 0));
    Value y = Argument(argc, argv, 1);
    const std::string text = ValueText(Argument(argc, argv, 2));
    size_t start = 0;
    while (true) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const Value line(std::string_view(text).substr(start, end - start));
        const double width = Real(Call(self, other, FN_string_width, line));
        Call(self, other, FN_draw_text, Value(x - std::trunc(width / 2)), y, line);
        // An empty line still takes a line's height.
        y += Call(self, other, FN_string_height, end == start ? Value(" ") : line);
        if (end == text.size()) break;
        start = end + 1;
    }
    return result;
}
