// oNPC: a character who speaks a script of the text command language. Preparation (user event 0)
// splits the script into (first word, rest) lines, rewrites !if/!elif/!else/!fi into jumps and
// generated labels, and maps every label to its line. Talking (user event 1) runs lines up to the
// next one to say and shows it in an oTextbox; alarm 0 advances the conversation.
#include <string>
#include <utility>
#include <vector>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Instances.h"

namespace {

// Lines one advance may run without finding one to say: a script that loops through commands
// forever stops the game with a message instead of hanging it.
constexpr double kLinesPerAdvance = 10000;

// Sprites whose heads stand high above their boxes' tops: the box goes higher above them.
constexpr int32_t kTallSprites[] = {sOwl};

using Line = std::pair<std::string, std::string>;

// (first word, rest) of a line, both trimmed.
Line SplitWord(CInstance* self, CInstance* other, const RValue& text) {
    const Value trimmed = CallScript(psl_Script_string_trim, self, other, text);
    Value parts = CallScript(psl_Script_string_split_once, self, other, trimmed, Value(" "));
    return {ValueText(CallScript(psl_Script_string_trim, self, other, Element(parts, 0))),
            ValueText(CallScript(psl_Script_string_trim, self, other, Element(parts, 1)))};
}

// An open !if: where it sits among open blocks, its ordinal at that depth, and the line of its
// !jumpf that still waits for a target (-1 none).
struct Block {
    size_t depth;
    int ordinal;
    long pending;
};

// Rewrites the conditionals in place. Labels made for a block are unique in the script: "_fi"
// carries the block's depth and ordinal, "_elif" and "_else" the depth and a clause count of
// that depth. A conditional word outside any block is left alone (and shows as dialogue).
class ConditionalRewrite {
public:
    explicit ConditionalRewrite(std::vector<Line>& lines) : lines_(lines) {}

    void Run() {
        for (size_t i = 0; i < lines_.size(); ++i) {
            const std::string word = lines_[i].first;
            if (word == "!if") {
                Open(i);
            } else if (open_.empty()) {
                continue;
            } else if (word == "!elif") {
                const std::string condition = lines_[i].second;
                i = NewClause(i, "_elif");
                lines_.insert(lines_.begin() + long(i) + 1, {"!jumpf", condition});
                open_.back().pending = long(++i);
            } else if (word == "!else") {
                i = NewClause(i, "_else");
            } else if (word == "!fi") {
                const std::string fi = FiLabel(open_.back());
                lines_[i] = {fi + ":", ""};
                Complete(fi);
                open_.pop_back();
            }
        }
    }

private:
    void Open(size_t i) {
        const size_t depth = open_.size();
        if (blocks_.size() <= depth) {
            blocks_.push_back(0);
            clauses_.push_back(0);
        }
        open_.push_back({depth, ++blocks_[depth], long(i)});
        lines_[i].first = "!jumpf";
    }

    // The line at i becomes the jump out of the block that ends the previous clause, and the
    // label of the next clause follows it; gives the label line's index.
    size_t NewClause(size_t i, const char* prefix) {
        const Block& block = open_.back();
        const std::string label =
            prefix + std::to_string(block.depth) + "_" + std::to_string(++clauses_[block.depth]);
        lines_[i] = {"!jump", FiLabel(block)};
        lines_.insert(lines_.begin() + long(i) + 1, {label + ":", ""});
        Complete(label);
        return i + 1;
    }

    // The pending !jumpf of the innermost block goes to the label.
    void Complete(const std::string& label) {
        Block& block = open_.back();
        if (block.pending >= 0) lines_[size_t(block.pending)].second += "," + label;
        block.pending = -1;
    }

    static std::string FiLabel(const Block& block) {
        return "_fi" + std::to_string(block.depth) + "_" + std::to_string(block.ordinal);
    }

    std::vector<Line>& lines_;
    std::vector<Block> open_;
    std::vector<int> blocks_;
    std::vector<int> clauses_;
};

void FreePrepared(CInstance* self, CInstance* other) {
    if (!Value(Var(self, SLOT_init))) return;
    Call(self, other, FN_ds_list_destroy, Var(self, SLOT_lines));
    Call(self, other, FN_ds_map_destroy, Var(self, SLOT_labels));
    Assign(Var(self, SLOT_init), Value(0));
}

// Runs lines from current_line until one has something to say or the script ends or stops.
Value NextDialogue(CInstance* self, CInstance* other) {
    const Value lines = Var(self, SLOT_lines);
    Value text("");
    for (double run = 0; Var(self, SLOT_current_line) < Call(self, other, FN_ds_list_size, lines); ++run) {
        if (run == kLinesPerAdvance) {
            Call(self, other, FN_show_error,
                 Value("Text command script runs in a loop without a line to say: ") + Var(self, SLOT_script), Value(1));
            return Value("");
        }
        text = CallScript(psl_Script_execute_line, self, other,
                          Call(self, other, FN_ds_list_find_value, lines, Var(self, SLOT_current_line)));
        Var(self, SLOT_current_line) += Value(1);
        if (Value(Var(self, SLOT_stop)) || ValueText(text) != "") break;
    }
    return text;
}

// The mega present: the music stops at once, every box closes, and the world holds still while
// the present speaks (the box it opens lets the actors go when it closes).
void OpenMegaPresent(CInstance* self, CInstance* other) {
    Call(self, other, FN_audio_sound_gain, Global(SLOT_bgm), Value(0), Value(0));
    With(self, other, oTextbox, [](CInstance* box, CInstance* npc) { Call(box, npc, FN_instance_destroy); });
    Global(SLOT_megapresent) += Value(1);
    CallScript(psl_Script_save_game, self, other);
    if (Global(SLOT_megapresent) >= Value(3)) return;
    Call(self, other, FN_audio_sound_gain, Global(SLOT_bgm), Value(1), Value(9000));
    With(self, other, oActor, [](CInstance* actor, CInstance*) { Assign(Var(actor, SLOT_pause), Value(1)); });
}

// A box for the line, two thirds of the screen wide at most: above the speaker, or below it when
// the speaker stands in the top third of the screen.
void OpenBox(CInstance* self, CInstance* other, const Value& text) {
    const Value view_y = Call(self, other, FN_camera_get_view_y, BuiltinVar(self, VAR_view_camera, 0));
    const bool below = BuiltinVar(self, VAR_y) < view_y + Div(Global(SLOT_view_height), Value(3));
    double raise = 4;
    for (int32_t sprite : kTallSprites)
        if (BuiltinVar(self, VAR_sprite_index) == Value(sprite)) raise = 12;
    const Value y = below ? BuiltinVar(self, VAR_bbox_bottom) : BuiltinVar(self, VAR_bbox_top) - raise;
    const Value box = Call(self, other, FN_instance_create_depth, BuiltinVar(self, VAR_x), y,
                           BuiltinVar(self, VAR_depth), Value(oTextbox));
    Assign(Var(self, SLOT_textbox), box);
    With(self, other, int32_t(Real(box)), [&](CInstance* textbox, CInstance* npc) {
        Assign(Var(textbox, SLOT_text), text);
        Assign(Var(textbox, SLOT_npc), BuiltinVar(npc, VAR_id));
        Assign(Var(textbox, SLOT_ori), Value(below ? 1 : 0));
        // A character's lines read better in a box narrower than the screen.
        Assign(Var(textbox, SLOT_max_width), Div(Global(SLOT_view_width) * 2.0, Value(3)));
        if (Var(npc, SLOT_talksound) == Value(-4) && Global(SLOT_megapresent) < Value(3))
            Assign(Var(textbox, SLOT_unpause), Value(1));
        event_user(textbox, npc, 1);
    });
}

} // namespace

void psl_Object_oNPC_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Create_0");
    event_inherited(self, other);
    frame.Line(2);
    Assign(Var(self, SLOT_nl), Value("\r\n"));
    Assign(Var(self, SLOT_script), Value("..."));
    for (int32_t slot : {SLOT_stop, SLOT_talking, SLOT_flip, SLOT_hurtful, SLOT_init, SLOT_saves})
        Assign(Var(self, slot), Value(0));
    Assign(Var(self, SLOT_textbox), Value(noone));
    Assign(Var(self, SLOT_talking_time), BuiltinVar(self, VAR_room_speed) * 3);
    Assign(Var(self, SLOT_talksound), Value(sndVoice));
    Assign(Var(self, SLOT_answer), Value(-1));
}

void psl_Object_oNPC_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Destroy_0");
    FreePrepared(self, other);
}

// Leaving the room frees the instance without its Destroy event: what it holds goes now.
void psl_Object_oNPC_Other_5(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Other_5");
    FreePrepared(self, other);
}

void psl_Object_oNPC_Other_4(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Other_4");
    event_user(self, other, 0);
}

// Prepares the script. A second preparation (the room started again) replaces the first.
void psl_Object_oNPC_Other_10(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Other_10");
    FreePrepared(self, other);
    Assign(Var(self, SLOT_labels), Call(self, other, FN_ds_map_create));
    const Value script = CallScript(psl_Script_string_trim, self, other, Var(self, SLOT_script));
    const Value split =
        CallScript(psl_Script_string_split, self, other, script, Var(self, SLOT_nl));
    std::vector<Line> lines;
    const double count = Real(Call(self, other, FN_ds_list_size, split));
    for (double i = 0; i < count; ++i)
        lines.push_back(
            SplitWord(self, other, Call(self, other, FN_ds_list_find_value, split, Value(i))));
    Call(self, other, FN_ds_list_destroy, split);
    ConditionalRewrite(lines).Run();

    frame.Line(2);
    const Value labels = Var(self, SLOT_labels);
    const Value prepared = Call(self, other, FN_ds_list_create);
    for (size_t i = 0; i < lines.size(); ++i) {
        Line line = lines[i];
        while (CallScript(psl_Script_is_label, self, other, Value(line.first))) {
            Call(self, other, FN_ds_map_set, labels,
                 CallScript(psl_Script_get_label, self, other, Value(line.first)),
                 Value(double(i) - 1));
            line = SplitWord(self, other, Value(line.second));
        }
        Value entry;
        AssignElement(entry, 1, Value(line.second));
        AssignElement(entry, 0, Value(line.first));
        Call(self, other, FN_ds_list_add, prepared, entry);
    }
    Assign(Var(self, SLOT_lines), prepared);
    Assign(Var(self, SLOT_current_line), Value(0));
    Assign(Var(self, SLOT_init), Value(1));
}

// Talks, or advances the conversation: a box still typing is finished at once, a question waits
// for its answer, and otherwise the next line to say gets a box of its own.
void psl_Object_oNPC_Other_11(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Other_11");
    if (!Value(Var(self, SLOT_init))) event_user(self, other, 0);
    if (!Value(Var(self, SLOT_talking))) {
        Assign(Var(self, SLOT_talking), Value(1));
        // A character spoken to again starts over; its flags remember the last time.
        if (Value(Var(self, SLOT_stop)) || Var(self, SLOT_current_line) >= Call(self, other, FN_ds_list_size, Var(self, SLOT_lines))) {
            Assign(Var(self, SLOT_stop), Value(0));
            Assign(Var(self, SLOT_current_line), Value(0));
        }
        // A keeper of the game (`saves`, set by its room) saves it whenever a talk starts.
        if (Value(Var(self, SLOT_saves))) CallScript(psl_Script_save_game, self, other);
        if (Var(self, SLOT_talksound) != Value(-4))
            CallScript(psl_Script_sfx_play, self, other, Var(self, SLOT_talksound));
        else
            OpenMegaPresent(self, other);
    }
    SetBuiltinVar(self, VAR_alarm, Var(self, SLOT_talking_time), 0);

    frame.Line(2);
    const Value box = Var(self, SLOT_textbox);
    if (Call(self, other, FN_instance_exists, box)) {
        const int32_t id = int32_t(Real(box));
        if (!VarOf(id, SLOT_finished)) {
            With(self, other, id, [](CInstance* textbox, CInstance* npc) { event_user(textbox, npc, 0); });
            return;
        }
        if (Call(self, other, FN_ds_list_size, VarOf(id, SLOT_questions)) > Value(0) && VarOf(id, SLOT_answer) == Value(-1))
            return;
        Assign(Var(self, SLOT_answer), VarOf(id, SLOT_answer));
        With(self, other, id, [](CInstance* textbox, CInstance* npc) { Call(textbox, npc, FN_instance_destroy); });
    }

    frame.Line(3);
    const Value text = NextDialogue(self, other);
    frame.Line(4);
    if (ValueText(text).empty()) {
        Assign(Var(self, SLOT_talking), Value(0));
        SetBuiltinVar(self, VAR_alarm, Value(-1), 0);
        return;
    }
    frame.Line(5);
    OpenBox(self, other, text);
}

// The conversation goes on by itself; a paused world holds it.
void psl_Object_oNPC_Alarm_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Alarm_0");
    if (Value(Var(self, SLOT_pause))) {
        SetBuiltinVar(self, VAR_alarm, Value(1), 0);
        return;
    }
    if (Value(Var(self, SLOT_talking))) event_user(self, other, 1);
}

// Facing the player, for those who turn to look.
void psl_Object_oNPC_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oNPC_Step_1");
    if (!Value(Var(self, SLOT_flip))) return;
    With(self, other, oChar, [&](CInstance* player, CInstance*) {
        SetBuiltinVar(self, VAR_image_xscale, Value(BuiltinVar(player, VAR_x) < BuiltinVar(self, VAR_x) ? -1 : 1));
    });
}
