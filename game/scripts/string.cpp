// Small text chores shared by the game's scripts: splitting, extracting and trimming. Positions
// count from 1, as the string built-ins do.
#include "CodeTable.h"
#include "GameNames.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

// string_split(text, separator): a new list of the pieces between separators; the separator may
// be several characters long.
RValue* psl_Script_string_split(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_string_split", result);
    const std::string text = ValueText(Argument(argc, argv, 0));
    const std::string separator = ValueText(Argument(argc, argv, 1));
    const Value list = Call(self, other, FN_ds_list_create);
    size_t start = 0;
    while (!separator.empty()) {
        const size_t found = text.find(separator, start);
        if (found == std::string::npos) break;
        Call(self, other, FN_ds_list_add, list, Value(std::string_view(text).substr(start, found - start)));
        start = found + separator.size();
    }
    Call(self, other, FN_ds_list_add, list, Value(std::string_view(text).substr(start)));
    Assign(*result, list);
    return result;
}

// string_split_once(text, separator): [before the first separator, the rest after it]; the rest is
// empty when there is no separator.
RValue* psl_Script_string_split_once(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_string_split_once", result);
    const std::string text = ValueText(Argument(argc, argv, 0));
    const std::string separator = ValueText(Argument(argc, argv, 1));
    const size_t found = separator.empty() ? std::string::npos : text.find(separator);
    const std::string_view view(text);
    AssignElement(*result, 1, Value(found == std::string::npos ? "" : view.substr(found + separator.size())));
    AssignElement(*result, 0, Value(view.substr(0, found)));
    return result;
}

// string_extract(text, first, last): the characters from position first to last inclusive.
RValue* psl_Script_string_extract(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_string_extract", result);
    const RValue& first = Argument(argc, argv, 1);
    Assign(*result, Call(self, other, FN_string_copy, Argument(argc, argv, 0), first,
                         Argument(argc, argv, 2) - first + 1));
    return result;
}

// string_trim(text): without the leading and trailing characters of code 32 or lower.
RValue* psl_Script_string_trim(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_string_trim", result);
    const std::string text = ValueText(Argument(argc, argv, 0));
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    Assign(*result, Value(std::string_view(text).substr(begin, end - begin)));
    return result;
}
