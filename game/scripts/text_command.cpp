// The text command language's lines and inline commands. A prepared line is (first word, rest);
// "!" commands steer the speaking instance's `current_line` and `stop`, anything else is
// dialogue. Inline commands ("\n", "\\", "{print ...}", "{ask ...}", "{color ...}") work on the
// text a textbox is about to type and on its `questions` and `effects`.
#include <algorithm>
#include <string>
#include <string_view>

#include "CodeTable.h"
#include "GameNames.h"
#include "TextCommands.h"

namespace {

std::string Trimmed(CInstance* self, CInstance* other, const RValue& text) {
    return ValueText(CallScript(psl_Script_string_trim, self, other, text));
}

// Token i of a command's comma-separated arguments, trimmed; empty when there are fewer.
Value Token(CInstance* self, CInstance* other, const Value& tokens, double i) {
    if (i >= Real(Call(self, other, FN_ds_list_size, tokens))) return Value("");
    return Value(Trimmed(self, other, Call(self, other, FN_ds_list_find_value, tokens, Value(i))));
}

// Resumes on the labelled line: the caller steps past the line index a label maps to. A label
// the script lacks ends the script, as a jump past its last line would.
void JumpTo(CInstance* self, CInstance* other, const RValue& label) {
    const Value labels = Var(self, SLOT_labels);
    if (Call(self, other, FN_ds_map_exists, labels, label))
        Assign(Var(self, SLOT_current_line),
               Call(self, other, FN_ds_map_find_value, labels, label));
    else
        Assign(Var(self, SLOT_current_line),
               Call(self, other, FN_ds_list_size, Var(self, SLOT_lines)));
}

// The words of a command after its first, joined by spaces.
Value Arguments(CInstance* self, CInstance* other, const Value& words) {
    std::string text;
    const double count = Real(Call(self, other, FN_ds_list_size, words));
    for (double i = 1; i < count; ++i) {
        if (i > 1) text += ' ';
        text += ValueText(Call(self, other, FN_ds_list_find_value, words, Value(i)));
    }
    return Value(text);
}

Value Outcome(const RValue& text, double next) {
    Value outcome;
    AssignElement(outcome, 1, Value(next));
    AssignElement(outcome, 0, text);
    return outcome;
}

// "\n" becomes a line break and "\\" one backslash; any other backslash stays as typed.
Value Escape(CInstance* self, CInstance* other, const RValue& text, double position) {
    const std::string next =
        ValueText(Call(self, other, FN_string_char_at, text, Value(position + 1)));
    if (next != "n" && next != "\\") return Outcome(text, position + 1);
    const Value rest = Call(self, other, FN_string_delete, text, Value(position), Value(2));
    return Outcome(Call(self, other, FN_string_insert, Value(next == "n" ? "\n" : "\\"), rest,
                        Value(position)),
                   position + 1);
}

// "{...}": the command is removed; print puts its value in its place.
Value Brace(CInstance* self, CInstance* other, const RValue& text, double position) {
    const Value words =
        CallScript(psl_Script_process_command, self, other, text, Value(position), Value(0));
    if (Real(words) < 0) return Outcome(text, position + 1);
    Value rest =
        CallScript(psl_Script_process_command, self, other, text, Value(position), Value(1));
    double next = position;
    const std::string command =
        ValueText(Call(self, other, FN_ds_list_find_value, words, Value(0)));
    if (command == "print") {
        const Value shown = Call(
            self, other, FN_string,
            CallScript(psl_Script_expression_process, self, other, Arguments(self, other, words)));
        rest = Call(self, other, FN_string_insert, shown, rest, Value(position));
        next += Real(Call(self, other, FN_string_length, shown));
    } else if (command == "ask") {
        const Value questions = Var(self, SLOT_questions);
        Call(self, other, FN_ds_list_clear, questions);
        const double count = Real(Call(self, other, FN_ds_list_size, words));
        for (double i = 1; i < count; ++i)
            Call(self, other, FN_ds_list_add, questions,
                 Call(self, other, FN_ds_list_find_value, words, Value(i)));
    } else if (command == "color") {
        Value effect;
        AssignElement(
            effect, 1,
            CallScript(psl_Script_expression_process, self, other, Arguments(self, other, words)));
        AssignElement(effect, 0, Value(0));
        Call(self, other, FN_ds_map_set, Var(self, SLOT_effects), Value(position), effect);
    }
    Call(self, other, FN_ds_list_destroy, words);
    return Outcome(rest, next);
}

} // namespace

// is_label(line): the trimmed line ends with ":" and has no other ":".
RValue* psl_Script_is_label(CInstance* self, CInstance* other, RValue* result, int argc,
                            RValue** argv) {
    ScriptFrame frame("psl_Script_is_label", result);
    const std::string line = Trimmed(self, other, Argument(argc, argv, 0));
    Assign(*result, Value(!line.empty() && line.find(':') == line.size() - 1 ? 1 : 0));
    return result;
}

// get_label(line): the trimmed line without its final ":".
RValue* psl_Script_get_label(CInstance* self, CInstance* other, RValue* result, int argc,
                             RValue** argv) {
    ScriptFrame frame("psl_Script_get_label", result);
    std::string line = Trimmed(self, other, Argument(argc, argv, 0));
    if (line.ends_with(':')) line.pop_back();
    Assign(*result, Value(line));
    return result;
}

// execute_line(line): runs a prepared line; the text of a dialogue line, else "".
RValue* psl_Script_execute_line(CInstance* self, CInstance* other, RValue* result, int argc,
                                RValue** argv) {
    ScriptFrame frame("psl_Script_execute_line", result);
    Value line = Argument(argc, argv, 0);
    const std::string command = ValueText(Element(line, 0));
    const Value rest = Element(line, 1);
    const Value tokens = CallScript(psl_Script_string_split, self, other, rest, Value(","));
    const auto condition = [&] {
        return bool(
            CallScript(psl_Script_expression_process, self, other, Token(self, other, tokens, 0)));
    };
    Assign(*result, Value(""));
    if (command == "!stop") {
        Assign(Var(self, SLOT_stop), Value(1));
    } else if (command == "!set") {
        CallScript(
            psl_Script_variable_set, self, other, Token(self, other, tokens, 0),
            CallScript(psl_Script_expression_process, self, other, Token(self, other, tokens, 1)));
    } else if (command == "!jump") {
        JumpTo(self, other, Token(self, other, tokens, 0));
    } else if (command == "!jumpf") {
        if (!condition()) JumpTo(self, other, Token(self, other, tokens, 1));
    } else if (command == "!jumpt") {
        if (condition()) JumpTo(self, other, Token(self, other, tokens, 1));
    } else if (command == "!jumpe") {
        JumpTo(self, other,
               Call(self, other, FN_string,
                    CallScript(psl_Script_expression_process, self, other,
                               Token(self, other, tokens, 0))));
    } else {
        Assign(*result,
               ValueText(rest).empty() ? Value(command) : Value(command + " " + ValueText(rest)));
    }
    Call(self, other, FN_ds_list_destroy, tokens);
    return result;
}

// process_command(text, position, part): the inline command whose "{" is at the position
// (positions count characters). Part 0 gives a new list of its words (-1 when it has no closing
// "}"), part 1 the text without it.
RValue* psl_Script_process_command(CInstance* self, CInstance* other, RValue* result, int argc,
                                   RValue** argv) {
    ScriptFrame frame("psl_Script_process_command", result);
    const RValue& text = Argument(argc, argv, 0);
    const RValue& position = Argument(argc, argv, 1);
    const Value tail = Call(self, other, FN_string_copy, text, position,
                            Call(self, other, FN_string_length, text));
    const Value length = Call(self, other, FN_string_pos, Value("}"), tail);
    const bool words = Real(Argument(argc, argv, 2)) == 0;
    if (Real(length) == 0) {
        Call(self, other, FN_show_error, Value("Text command syntax error in ") + text, Value(1));
        Assign(*result, words ? Value(-1) : Value(text));
        return result;
    }
    if (!words) {
        Assign(*result, Call(self, other, FN_string_delete, text, position, length));
        return result;
    }
    // Spaces are single bytes in any text, so the command splits on them byte by byte.
    const std::string command =
        ValueText(CallScript(psl_Script_string_extract, self, other, tail, Value(2), length - 1));
    const Value list = Call(self, other, FN_ds_list_create);
    for (size_t start = 0; start < command.size();) {
        const size_t end = std::min(command.find(' ', start), command.size());
        if (end > start)
            Call(self, other, FN_ds_list_add, list,
                 Value(std::string_view(command).substr(start, end - start)));
        start = end + 1;
    }
    Assign(*result, list);
    return result;
}

// execute_text_command(text, position): handles the "\" or "{" at the position; gives the new
// text and the position to go on from, past anything the command put in its place, so printed
// text is never run as a command in turn.
RValue* psl_Script_execute_text_command(CInstance* self, CInstance* other, RValue* result, int argc,
                                        RValue** argv) {
    ScriptFrame frame("psl_Script_execute_text_command", result);
    const RValue& text = Argument(argc, argv, 0);
    const double position = Real(Argument(argc, argv, 1));
    const std::string at = ValueText(Call(self, other, FN_string_char_at, text, Value(position)));
    if (at == "\\")
        Assign(*result, Escape(self, other, text, position));
    else if (at == "{")
        Assign(*result, Brace(self, other, text, position));
    else
        Assign(*result, Outcome(text, position + 1));
    return result;
}

// Every "\" and "{" of the text run as inline commands; gives the text they leave.
Value RunInlineCommands(CInstance* self, CInstance* other, Value text) {
    for (double position = 1; position <= Real(Call(self, other, FN_string_length, text));) {
        const std::string at = ValueText(Call(self, other, FN_string_char_at, text, Value(position)));
        if (at != "\\" && at != "{") {
            ++position;
            continue;
        }
        Value outcome = CallScript(psl_Script_execute_text_command, self, other, text, Value(position));
        text = Element(outcome, 0);
        position = Real(Element(outcome, 1));
    }
    return text;
}
