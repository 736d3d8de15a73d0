// oTextbox: a speech box. Its layout (user event 1) runs the line's inline commands, wraps it in
// the box font and places the box beside its speaker; each Step then types one character (a
// button glyph counts as one), offers the answers of an "ask" to actions 2 and 3, and closes the
// box `time` frames after it is done. oTextboxDrawer draws it through user events 10, 11 and 15.
//
// Positions count characters from 1, as the text command language counts them; `effects` and
// `linebreaks` hold positions of `text` after its layout.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/TextCommands.h"

namespace {

constexpr int kLeft = 2, kRight = 3;
constexpr double kAnswerGap = 12;
constexpr int kAnswerColour = 0x40E0FF; // warm yellow
constexpr int kOtherAnswerColour = 0x9A9A9A;
constexpr int kWhite = 0xFFFFFF;

// The characters of a text, each as its own UTF-8 piece.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> characters;
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        characters.push_back(text.substr(at, size));
        at += size;
    }
    return characters;
}

bool Separates(const std::string& character) { return static_cast<unsigned char>(character[0]) <= 32; }

std::string Join(const std::vector<std::string>& characters, size_t from, size_t count) {
    std::string text;
    for (size_t i = from; i < from + count && i < characters.size(); ++i) text += characters[i];
    return text;
}

// How many characters the button glyph at `at` spans ("\sName:frame"), or 0 when none starts
// there. A backslash pair was made one backslash by the layout, so only glyphs remain.
size_t GlyphLength(const std::vector<std::string>& characters, size_t at) {
    if (characters[at] != "\\" || at + 1 >= characters.size()) return 0;
    size_t end = at + 2;
    while (end < characters.size() && characters[end] != ":") ++end;
    if (end < characters.size()) ++end;
    while (end < characters.size() && characters[end].size() == 1 && std::isdigit(characters[end][0])) ++end;
    return end - at;
}

double Width(CInstance* self, CInstance* other, const std::string& text) {
    return Real(CallScript(psl_Script_string_width_sprite, self, other, Value(text)));
}

double LineHeight(CInstance* self, CInstance* other) {
    return Real(Call(self, other, FN_string_height, Value("M")));
}

Value ViewX(CInstance* self, CInstance* other) {
    return Call(self, other, FN_camera_get_view_x, BuiltinVar(self, VAR_view_camera, 0));
}
Value ViewY(CInstance* self, CInstance* other) {
    return Call(self, other, FN_camera_get_view_y, BuiltinVar(self, VAR_view_camera, 0));
}

// Trimming `count` characters off the front moves every colour change with its text.
void ShiftEffects(CInstance* self, CInstance* other, double count, double length) {
    const Value effects = Var(self, SLOT_effects);
    std::vector<std::pair<double, Value>> moved;
    for (double position = 1; position <= length + 1; ++position)
        if (Call(self, other, FN_ds_map_exists, effects, Value(position)))
            moved.emplace_back(Max(1, position - count), Call(self, other, FN_ds_map_find_value, effects, Value(position)));
    Call(self, other, FN_ds_map_clear, effects);
    for (const auto& [position, effect] : moved) Call(self, other, FN_ds_map_set, effects, Value(position), effect);
}

// Wraps word by word within the width: the position of each word that starts a new line goes to
// `linebreaks`. Gives the text's lines as they will show.
std::vector<std::string> Wrap(CInstance* self, CInstance* other, const std::vector<std::string>& characters,
                              double limit) {
    std::vector<std::string> lines(1);
    std::string gap;
    for (size_t i = 0; i < characters.size();) {
        if (characters[i] == "\n") {
            lines.emplace_back();
            gap.clear();
            ++i;
            continue;
        }
        if (Separates(characters[i])) {
            gap += characters[i++];
            continue;
        }
        size_t end = i;
        while (end < characters.size() && !Separates(characters[end])) ++end;
        const std::string word = Join(characters, i, end - i);
        if (!lines.back().empty() && Width(self, other, lines.back() + gap + word) > limit) {
            Call(self, other, FN_ds_queue_enqueue, Var(self, SLOT_linebreaks), Value(double(i + 1)));
            lines.push_back(word);
        } else {
            lines.back() += gap + word;
        }
        gap.clear();
        i = end;
    }
    return lines;
}

// The answers side by side, as the box shows them under its text.
double AnswersWidth(CInstance* self, CInstance* other) {
    const Value questions = Var(self, SLOT_questions);
    const double count = Real(Call(self, other, FN_ds_list_size, questions));
    double width = count > 0 ? (count - 1) * kAnswerGap : 0;
    for (double i = 0; i < count; ++i)
        width += Real(Call(self, other, FN_string_width, Call(self, other, FN_ds_list_find_value, questions, Value(i))));
    return width;
}

struct Box {
    double x1, y1, width, height;
};

// Kept inside the view; the view wins over the speaker when the box is larger.
void KeepInView(CInstance* self, CInstance* other, Box& box) {
    const double left = Real(ViewX(self, other)), top = Real(ViewY(self, other));
    box.x1 = Max(left, Min(box.x1, left + Real(Global(SLOT_view_width)) - box.width));
    box.y1 = Max(top, Min(box.y1, top + Real(Global(SLOT_view_height)) - box.height));
}

// A box that would cover one already open moves past it, on its own side of the speaker
// (further up when above it, further down when below), and back inside the view.
void MoveOffOtherBoxes(CInstance* self, CInstance* other, Box& box) {
    const bool above = Var(self, SLOT_ori) == Value(0);
    for (bool moved = true; moved;) {
        moved = false;
        With(self, other, oTextbox, [&](CInstance* open, CInstance*) {
            if (open == self || Var(open, SLOT_bx1) == Value(-1)) return;
            if (!CallScript(psl_Script_intersect_rect, self, other, Value(box.x1), Value(box.y1), Value(box.x1 + box.width),
                            Value(box.y1 + box.height), Var(open, SLOT_bx1), Var(open, SLOT_by1), Var(open, SLOT_bx2),
                            Var(open, SLOT_by2)))
                return;
            const double before = box.y1;
            box.y1 = above ? Real(Var(open, SLOT_by1)) - box.height - 1 : Real(Var(open, SLOT_by2)) + 1;
            KeepInView(self, other, box);
            moved = box.y1 != before && (above ? box.y1 < before : box.y1 > before);
        });
    }
}

// One step of typing: a queued line break first, then the next character or whole glyph.
void TypeNext(CInstance* self, CInstance* other, const std::vector<std::string>& characters) {
    RValue& pos = Var(self, SLOT_pos);
    const Value head = Call(self, other, FN_ds_queue_head, Var(self, SLOT_linebreaks));
    const bool line_break = head.kind == VALUE_REAL && head == pos;
    if (line_break) Call(self, other, FN_ds_queue_dequeue, Var(self, SLOT_linebreaks));
    const size_t at = size_t(Real(pos)) - 1;
    const size_t count = std::max<size_t>(1, GlyphLength(characters, at));
    const std::string typed = (line_break ? "\n" : "") + Join(characters, at, count);
    Assign(Var(self, SLOT_prefix), Var(self, SLOT_prefix) + Value(typed));
    pos += Value(double(count));
}

void TypeRest(CInstance* self, CInstance* other) {
    const std::vector<std::string> characters = Characters(ValueText(Var(self, SLOT_text)));
    while (Real(Var(self, SLOT_pos)) <= double(characters.size())) TypeNext(self, other, characters);
    Assign(Var(self, SLOT_finished), Value(1));
}

// A question holds the box open until it is answered.
bool AwaitsAnswer(CInstance* self, CInstance* other) {
    return Call(self, other, FN_ds_list_size, Var(self, SLOT_questions)) > Value(0) && Var(self, SLOT_answer) == Value(-1);
}

// Left from no answer picks the last, right the first; both wrap around.
void ChooseAnswer(CInstance* self, CInstance* other) {
    const double count = Real(Call(self, other, FN_ds_list_size, Var(self, SLOT_questions)));
    if (count == 0) return;
    RValue& answer = Var(self, SLOT_answer);
    if (CallScript(psl_Script_input_pressed, self, other, Value(kLeft))) {
        const double down = answer == Value(-1) ? count - 1 : Real(answer) - 1;
        Assign(answer, Value(down < 0 ? count - 1 : down));
        CallScript(psl_Script_sfx_play, self, other, Value(sfxMenuMove));
    }
    if (CallScript(psl_Script_input_pressed, self, other, Value(kRight))) {
        const double up = answer == Value(-1) ? 0 : Real(answer) + 1;
        Assign(answer, Value(up >= count ? 0 : up));
        CallScript(psl_Script_sfx_play, self, other, Value(sfxMenuMove));
    }
}

// What the box holds goes with it; a box that held the world still lets it go.
void Release(CInstance* self, CInstance* other) {
    if (Var(self, SLOT_linebreaks) == Value(-1)) return;
    Call(self, other, FN_ds_queue_destroy, Var(self, SLOT_linebreaks));
    Call(self, other, FN_ds_list_destroy, Var(self, SLOT_questions));
    Call(self, other, FN_ds_map_destroy, Var(self, SLOT_effects));
    Assign(Var(self, SLOT_linebreaks), Value(-1));
    if (Value(Var(self, SLOT_unpause)))
        With(self, other, oActor, [](CInstance* actor, CInstance*) { Assign(Var(actor, SLOT_pause), Value(0)); });
}

void DrawAnswers(CInstance* self, CInstance* other, double left, double top) {
    const Value questions = Var(self, SLOT_questions);
    const double count = Real(Call(self, other, FN_ds_list_size, questions));
    double x = left;
    for (double i = 0; i < count; ++i) {
        const Value word = Call(self, other, FN_ds_list_find_value, questions, Value(i));
        const bool chosen = Var(self, SLOT_answer) == Value(i);
        Call(self, other, FN_draw_set_colour, Value(chosen ? kAnswerColour : kOtherAnswerColour));
        Call(self, other, FN_draw_text, Value(x), Value(top), word);
        x += Real(Call(self, other, FN_string_width, word)) + kAnswerGap;
    }
}

} // namespace

void psl_Object_oTextbox_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Create_0");
    Assign(Var(self, SLOT_text), Value("..."));
    Assign(Var(self, SLOT_npc), Value(noone));
    Assign(Var(self, SLOT_prefix), Value(""));
    Assign(Var(self, SLOT_pos), Value(1));
    Assign(Var(self, SLOT_width), Value(-1));
    Assign(Var(self, SLOT_height), Value(-1));
    Assign(Var(self, SLOT_max_width), Global(SLOT_view_width));
    Assign(Var(self, SLOT_border), Value(6));
    Assign(Var(self, SLOT_linebreaks), Call(self, other, FN_ds_queue_create));
    Assign(Var(self, SLOT_finished), Value(0));
    Assign(Var(self, SLOT_finished_for), Value(0));
    Assign(Var(self, SLOT_questions), Call(self, other, FN_ds_list_create));
    Assign(Var(self, SLOT_answer), Value(-1));
    Assign(Var(self, SLOT_fg_color), Value(kWhite));
    Assign(Var(self, SLOT_bg_color), Value(0));
    Assign(Var(self, SLOT_ori), Value(0));
    Assign(Var(self, SLOT_time), BuiltinVar(self, VAR_room_speed) * 3);
    for (int32_t slot : {SLOT_bx1, SLOT_by1, SLOT_bx2, SLOT_by2}) Assign(Var(self, slot), Value(-1));
    Assign(Var(self, SLOT_effects), Call(self, other, FN_ds_map_create));
    Assign(Var(self, SLOT_unpause), Value(0));
}

void psl_Object_oTextbox_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Destroy_0");
    Release(self, other);
    if (Call(self, other, FN_instance_exists, Var(self, SLOT_npc)))
        SetVarOf(int32_t(Real(Var(self, SLOT_npc))), SLOT_answer, Var(self, SLOT_answer));
}

// Leaving the room frees the box without its Destroy event.
void psl_Object_oTextbox_Other_5(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Other_5");
    Release(self, other);
}

// Typing, answering, and closing once done. A paused speaker holds its box.
void psl_Object_oTextbox_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Step_0");
    const Value npc = Var(self, SLOT_npc);
    if (Call(self, other, FN_instance_exists, npc) && VarOf(int32_t(Real(npc)), SLOT_pause)) return;
    const std::vector<std::string> characters = Characters(ValueText(Var(self, SLOT_text)));
    if (Real(Var(self, SLOT_pos)) <= double(characters.size())) {
        TypeNext(self, other, characters);
        if (Real(Var(self, SLOT_pos)) > double(characters.size())) Assign(Var(self, SLOT_finished), Value(1));
    } else if (!Value(Var(self, SLOT_finished))) {
        Assign(Var(self, SLOT_finished), Value(1));
    } else if (!AwaitsAnswer(self, other)) {
        Var(self, SLOT_finished_for) += Value(1);
        if (Var(self, SLOT_finished_for) >= Var(self, SLOT_time)) {
            Call(self, other, FN_instance_destroy);
            return;
        }
    }
    frame.Line(3);
    ChooseAnswer(self, other);
}

// Done at once: the rest of the text appears.
void psl_Object_oTextbox_Other_10(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Other_10");
    TypeRest(self, other);
}

// Layout: inline commands, trimming, wrapping, measuring, and the box's place.
void psl_Object_oTextbox_Other_11(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Other_11");
    CallScript(psl_Script_controls_refresh, self, other);
    const std::string commanded = ValueText(RunInlineCommands(self, other, Var(self, SLOT_text)));

    frame.Line(2);
    std::vector<std::string> characters = Characters(commanded);
    size_t lead = 0, end = characters.size();
    while (lead < end && Separates(characters[lead])) ++lead;
    while (end > lead && Separates(characters[end - 1])) --end;
    if (lead > 0) ShiftEffects(self, other, double(lead), double(characters.size()));
    characters = std::vector<std::string>(characters.begin() + long(lead), characters.begin() + long(end));
    Assign(Var(self, SLOT_text), Value(Join(characters, 0, characters.size())));
    Call(self, other, FN_draw_set_font, Global(SLOT_neco_font));
    const double border = Real(Var(self, SLOT_border));
    const std::vector<std::string> lines = Wrap(self, other, characters, Real(Var(self, SLOT_max_width)) - 2 * border);

    frame.Line(3);
    double width = 0;
    for (const std::string& line : lines) width = Max(width, Width(self, other, line));
    double height = double(lines.size()) * LineHeight(self, other);
    if (Call(self, other, FN_ds_list_size, Var(self, SLOT_questions)) > Value(0)) {
        width = Max(width, AnswersWidth(self, other));
        height += LineHeight(self, other);
    }
    Assign(Var(self, SLOT_width), Value(width));
    Assign(Var(self, SLOT_height), Value(height));

    frame.Line(4);
    // Above the speaker the box ends at its anchor; below, it starts a pointer's length under it.
    Box box{Real(Call(self, other, FN_round, BuiltinVar(self, VAR_x) - (width / 2 + border))), 0, width + 2 * border,
            height + 2 * border};
    const double y = Real(BuiltinVar(self, VAR_y));
    box.y1 = Var(self, SLOT_ori) == Value(0) ? y - box.height : y + 4;
    KeepInView(self, other, box);
    MoveOffOtherBoxes(self, other, box);
    Assign(Var(self, SLOT_bx1), Value(box.x1));
    Assign(Var(self, SLOT_by1), Value(box.y1));
    Assign(Var(self, SLOT_bx2), Value(box.x1 + box.width));
    Assign(Var(self, SLOT_by2), Value(box.y1 + box.height));
}

// The box's shape, in view coordinates (the drawer's surface covers the view): the rounded box
// and, while the box still sits beside its speaker, a pointer to the speaker.
void psl_Object_oTextbox_Other_20(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Other_20");
    const double vx = Real(ViewX(self, other)), vy = Real(ViewY(self, other));
    const double x1 = Real(Var(self, SLOT_bx1)) - vx, y1 = Real(Var(self, SLOT_by1)) - vy;
    const double x2 = Real(Var(self, SLOT_bx2)) - vx, y2 = Real(Var(self, SLOT_by2)) - vy;
    Call(self, other, FN_draw_set_colour, Var(self, SLOT_bg_color));
    Call(self, other, FN_draw_roundrect, Value(x1), Value(y1), Value(x2), Value(y2), Value(0));
    const Value npc = Var(self, SLOT_npc);
    if (!Call(self, other, FN_instance_exists, npc)) return;
    frame.Line(2);
    const double x = Max(x1 + 8, Min(Real(BuiltinVarOf(int32_t(Real(npc)), VAR_x)) - vx, x2 - 8));
    const double anchor = Real(BuiltinVar(self, VAR_y)) - vy;
    const bool above = Var(self, SLOT_ori) == Value(0);
    if (above ? y2 != anchor : y1 != anchor + 4) return;
    const double base = above ? y2 : y1, tip = above ? y2 + 4 : y1 - 4;
    Call(self, other, FN_draw_triangle, Value(x - 4), Value(base), Value(x + 4), Value(base), Value(x), Value(tip),
         Value(0));
}

// The typed text, character by character in the colours its effects give, then the answers.
void psl_Object_oTextbox_Other_21(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Other_21");
    Call(self, other, FN_draw_set_font, Global(SLOT_neco_font));
    const double border = Real(Var(self, SLOT_border));
    const double left = Real(Var(self, SLOT_bx1)) - Real(ViewX(self, other)) + border;
    const double line_height = LineHeight(self, other);
    double x = left, y = Real(Var(self, SLOT_by1)) - Real(ViewY(self, other)) + border;
    const std::vector<std::string> text = Characters(ValueText(Var(self, SLOT_text)));
    const std::vector<std::string> typed = Characters(ValueText(Var(self, SLOT_prefix)));
    const Value effects = Var(self, SLOT_effects);
    Value colour = Var(self, SLOT_fg_color);
    size_t at = 0; // in `text`; a break the wrapping added stands in `typed` alone
    for (size_t i = 0; i < typed.size(); ++i) {
        if (typed[i] == "\n" && (at >= text.size() || text[at] != "\n")) {
            x = left, y += line_height;
            continue;
        }
        const Value position(double(at + 1));
        if (Call(self, other, FN_ds_map_exists, effects, position)) {
            Value effect = Call(self, other, FN_ds_map_find_value, effects, position);
            if (Value(Element(effect, 0)) == Value(0)) colour = Element(effect, 1);
        }
        if (typed[i] == "\n") {
            ++at, x = left, y += line_height;
            continue;
        }
        if (const size_t glyph = GlyphLength(typed, i)) {
            const std::string reference = Join(typed, i, glyph);
            Call(self, other, FN_draw_set_colour, Value(kWhite));
            CallScript(psl_Script_draw_text_sprite, self, other, Value(x), Value(y), Value(reference));
            x += Width(self, other, reference);
            i += glyph - 1, at += glyph;
            continue;
        }
        Call(self, other, FN_draw_set_colour, colour);
        Call(self, other, FN_draw_text, Value(x), Value(y), Value(typed[i]));
        x += Real(Call(self, other, FN_string_width, Value(typed[i])));
        ++at;
    }
    frame.Line(2);
    if (Value(Var(self, SLOT_finished))) DrawAnswers(self, other, left, Real(Var(self, SLOT_by2)) - Real(ViewY(self, other)) - border - line_height);
    Call(self, other, FN_draw_set_colour, Value(kWhite));
}

void psl_Object_oTextbox_Other_25(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextbox_Other_25");
    event_user(self, other, 10);
    event_user(self, other, 11);
}
