// oNPC: a character who speaks a script of the text command language. Preparation (user event 0)
// splits the script into (first word, rest) lines, rewrites !if/!elif/!else/!fi into jumps and
// generated labels, and maps every label to its line.
#include <string>
#include <utility>
#include <vector>

#include "CodeTable.h"
#include "GameNames.h"

namespace {

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

} // namespace

void psl_Object_oNPC_Create_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oNPC_Create_0");
    Assign(Var(self, SLOT_nl), Value("\r\n"));
    Assign(Var(self, SLOT_script), Value("..."));
    for (int32_t slot : {SLOT_stop, SLOT_talking, SLOT_flip, SLOT_hurtful, SLOT_init})
        Assign(Var(self, slot), Value(0));
    Assign(Var(self, SLOT_textbox), Value(noone));
    Assign(Var(self, SLOT_talking_time), BuiltinVar(self, VAR_room_speed) * 3);
    Assign(Var(self, SLOT_talksound), Value(sndVoice));
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
