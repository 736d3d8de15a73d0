// Expressions of the text command language: a tokenizer, then shunting-yard evaluation over an
// operand and an operator stack. An operator's code is also its precedence.
#include <string>
#include <string_view>

#include "CodeTable.h"
#include "GameNames.h"

namespace {

// Token codes.
constexpr int kNumber = 1;
constexpr int kString = 2;
constexpr int kName = 3;
constexpr int kUnknown = 4;
constexpr int kOpen = 5;
constexpr int kClose = 6;
constexpr int kOr = 7;
constexpr int kXor = 8;
constexpr int kAnd = 9;
constexpr int kNot = 10;
constexpr int kEqual = 11;
constexpr int kNotEqual = 12;
constexpr int kLess = 13;
constexpr int kLessEqual = 14;
constexpr int kGreater = 15;
constexpr int kGreaterEqual = 16;
constexpr int kAdd = 17;
constexpr int kSubtract = 18;
constexpr int kNegate = 19;
constexpr int kMultiply = 20;
constexpr int kDivide = 21;

struct Spelling {
    std::string_view text;
    int code;
};

// Two-character entries first, so that a run takes the longest entry that fits.
constexpr Spelling kOperatorSpellings[] = {
    {"&&", kAnd},       {"||", kOr},           {"^^", kXor},  {"==", kEqual}, {"!=", kNotEqual},
    {"<=", kLessEqual}, {">=", kGreaterEqual}, {"!", kNot},   {"=", kEqual},  {"<", kLess},
    {">", kGreater},    {"(", kOpen},          {")", kClose}, {"+", kAdd},    {"-", kSubtract},
    {"*", kMultiply},   {"/", kDivide},
};

constexpr Spelling kWordOperators[] = {{"and", kAnd}, {"or", kOr}, {"xor", kXor}, {"not", kNot}};

constexpr size_t kMaxTextLength = 65536;

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsWordChar(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '.';
}
bool IsOperatorChar(char c) {
    return !IsBlank(c) && c != '\'' && !IsWordChar(c);
}

void AddToken(CInstance* self, CInstance* other, const Value& tokens, std::string_view text,
              int code) {
    Value token;
    AssignElement(token, 1, Value(code));
    AssignElement(token, 0, Value(text));
    Call(self, other, FN_ds_list_add, tokens, token);
}

// A run of digits and dots is a number; with any letter or "_" in it, it is a name (so
// "100001.hp" names an instance's variable), unless it spells a word operator.
void AddWord(CInstance* self, CInstance* other, const Value& tokens, std::string_view word) {
    bool number = false;
    for (char c : word) {
        if (!IsDigit(c) && c != '.') {
            number = false;
            break;
        }
        number = number || IsDigit(c);
    }
    int code = number ? kNumber : kName;
    for (const Spelling& op : kWordOperators)
        if (word == op.text) code = op.code;
    AddToken(self, other, tokens, word, code);
}

// Splits a run of operator characters into table entries, longest first; whatever is left
// where no entry fits is one unrecognised token.
void AddOperators(CInstance* self, CInstance* other, const Value& tokens, std::string_view run) {
    while (!run.empty()) {
        const Spelling* match = nullptr;
        for (const Spelling& op : kOperatorSpellings)
            if (run.starts_with(op.text)) {
                match = &op;
                break;
            }
        if (!match) {
            AddToken(self, other, tokens, run, kUnknown);
            return;
        }
        AddToken(self, other, tokens, match->text, match->code);
        run.remove_prefix(match->text.size());
    }
}

// A new list of (text, code) tokens. A string missing its closing quote runs to the end.
Value Tokenize(CInstance* self, CInstance* other, std::string_view text) {
    Value tokens = Call(self, other, FN_ds_list_create);
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        const char c = text[i];
        if (IsBlank(c)) {
            ++i;
        } else if (c == '\'') {
            const size_t close = text.find('\'', start + 1);
            i = close == std::string_view::npos ? text.size() : close + 1;
            AddToken(
                self, other, tokens,
                text.substr(start + 1, (close == std::string_view::npos ? i : close) - start - 1),
                kString);
        } else if (IsWordChar(c)) {
            while (i < text.size() && IsWordChar(text[i]))
                ++i;
            AddWord(self, other, tokens, text.substr(start, i - start));
        } else {
            while (i < text.size() && IsOperatorChar(text[i]))
                ++i;
            AddOperators(self, other, tokens, text.substr(start, i - start));
        }
    }
    return tokens;
}

bool EndsOperand(int code) {
    return code == kNumber || code == kString || code == kName || code == kClose;
}

// Pops the operator stack down to the nearest "(" and drops it; false when there is none.
bool CloseParenthesis(CInstance* self, CInstance* other, const Value& operators,
                      const Value& operands) {
    while (!Call(self, other, FN_ds_stack_empty, operators)) {
        const Value top = Call(self, other, FN_ds_stack_pop, operators);
        if (Real(top) == kOpen) return true;
        CallScript(psl_Script_apply_operator, self, other, top, operands);
    }
    return false;
}

// Whether shunting_yard may go on; false after it reported a fatal error.
bool Shunt(CInstance* self, CInstance* other, const Value& tokens, const Value& operators,
           const Value& operands) {
    const double count = Real(Call(self, other, FN_ds_list_size, tokens));
    int previous = 0;
    for (double i = 0; i < count; ++i) {
        Value token = Call(self, other, FN_ds_list_find_value, tokens, Value(i));
        const Value text = Element(token, 0);
        int code = static_cast<int>(Real(Element(token, 1)));
        if (code == kSubtract && !EndsOperand(previous)) code = kNegate;
        switch (code) {
        case kNumber:
            Call(self, other, FN_ds_stack_push, operands, Call(self, other, FN_real, text));
            break;
        case kString: Call(self, other, FN_ds_stack_push, operands, text); break;
        case kName:
            Call(self, other, FN_ds_stack_push, operands,
                 CallScript(psl_Script_variable_get, self, other, text));
            break;
        case kUnknown:
            Call(self, other, FN_show_error,
                 Value("Unknown token ") + text + Value(" encountered in conditional."), Value(1));
            return false;
        case kOpen: Call(self, other, FN_ds_stack_push, operators, Value(kOpen)); break;
        case kClose:
            if (!CloseParenthesis(self, other, operators, operands)) {
                Call(self, other, FN_show_error, Value("Unmatched parentheses in conditional."),
                     Value(1));
                return false;
            }
            break;
        default:
            // A prefix operator has nothing complete on its left to reduce first, so "2*-3" and
            // "a = not b" keep their operands.
            if (code != kNot && code != kNegate)
                while (!Call(self, other, FN_ds_stack_empty, operators)) {
                    const Value top = Call(self, other, FN_ds_stack_top, operators);
                    if (Real(top) == kOpen || Real(top) < code) break;
                    Call(self, other, FN_ds_stack_pop, operators);
                    CallScript(psl_Script_apply_operator, self, other, top, operands);
                }
            Call(self, other, FN_ds_stack_push, operators, Value(code));
        }
        previous = code;
    }
    if (CloseParenthesis(self, other, operators, operands)) {
        Call(self, other, FN_show_error, Value("Unmatched parentheses in conditional."), Value(1));
        return false;
    }
    return true;
}

// Text joined with "+". A script that keeps doubling a text in a loop would take all memory, so
// a join past any text a box can show is fatal.
Value Join(CInstance* self, CInstance* other, const RValue& left, const RValue& right) {
    std::string text = ValueText(left) + ValueText(right);
    if (text.size() > kMaxTextLength) {
        Call(self, other, FN_show_error, Value("Text too long in expression."), Value(1));
        text.resize(kMaxTextLength);
    }
    return Value(text);
}

// Truth as the language tests it.
Value Truth(bool b) {
    return Value(b ? 1 : 0);
}

} // namespace

// apply_operator(code, operands): pops the operator's operands (one for "not" and negation, else
// the right then the left) and pushes its result. A missing operand reads as undefined, which
// the value rules refuse where it matters.
RValue* psl_Script_apply_operator(CInstance* self, CInstance* other, RValue* result, int argc,
                                  RValue** argv) {
    ScriptFrame frame("psl_Script_apply_operator", result);
    const int code = static_cast<int>(Real(Argument(argc, argv, 0)));
    const RValue& operands = Argument(argc, argv, 1);
    const Value right = Call(self, other, FN_ds_stack_pop, operands);
    Value value;
    if (code == kNot) {
        value = Truth(!right);
    } else if (code == kNegate) {
        value = -right;
    } else {
        const Value left = Call(self, other, FN_ds_stack_pop, operands);
        switch (code) {
        case kOr: value = Truth(bool(left) || bool(right)); break;
        case kXor: value = Truth(bool(left) != bool(right)); break;
        case kAnd: value = Truth(bool(left) && bool(right)); break;
        case kEqual: value = Truth(left == right); break;
        case kNotEqual: value = Truth(left != right); break;
        case kLess: value = Truth(left < right); break;
        case kLessEqual: value = Truth(left <= right); break;
        case kGreater: value = Truth(left > right); break;
        case kGreaterEqual: value = Truth(left >= right); break;
        case kAdd:
            if (Call(self, other, FN_is_string, left) || Call(self, other, FN_is_string, right))
                value = Join(self, other, left, right);
            else
                value = left + right;
            break;
        case kSubtract: value = left - right; break;
        case kMultiply: value = left * right; break;
        case kDivide: value = left / right; break;
        default: break;
        }
    }
    Call(self, other, FN_ds_stack_push, operands, value);
    return result;
}

// shunting_yard(tokens): the value of a token list; undefined for an empty one.
RValue* psl_Script_shunting_yard(CInstance* self, CInstance* other, RValue* result, int argc,
                                 RValue** argv) {
    ScriptFrame frame("psl_Script_shunting_yard", result);
    const Value operators = Call(self, other, FN_ds_stack_create);
    const Value operands = Call(self, other, FN_ds_stack_create);
    if (Shunt(self, other, Value(Argument(argc, argv, 0)), operators, operands))
        Assign(*result, Call(self, other, FN_ds_stack_top, operands));
    Call(self, other, FN_ds_stack_destroy, operators);
    Call(self, other, FN_ds_stack_destroy, operands);
    return result;
}

// expression_process(text): the value of the expression in the text.
RValue* psl_Script_expression_process(CInstance* self, CInstance* other, RValue* result, int argc,
                                      RValue** argv) {
    ScriptFrame frame("psl_Script_expression_process", result);
    const std::string text =
        ValueText(CallScript(psl_Script_string_trim, self, other, Argument(argc, argv, 0)));
    const Value tokens = Tokenize(self, other, text);
    Assign(*result, CallScript(psl_Script_shunting_yard, self, other, tokens));
    Call(self, other, FN_ds_list_destroy, tokens);
    return result;
}
