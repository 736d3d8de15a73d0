// The string built-ins: positions and counts in UTF-8 characters, 1-based.
#include "Function/BuiltinGroups.h"

#include "Code/Builtins.h"
#include "Support/Utf8Text.h"
#include "Variable/BuiltinArgs.h"

namespace {

void SetString(RValue& result, const std::string& text) { MakeString(result, std::string_view(text)); }

void chr(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetString(result, Utf8FromCodePoint(ArgInt32(args, 0)));
}

void string_length(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, static_cast<double>(Utf8Length(ArgString(args, 0))));
}

void string_char_at(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetString(result, Utf8CharAt(ArgString(args, 0), ArgInt32(args, 1)));
}

void string_copy(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetString(result, Utf8Copy(ArgString(args, 0), ArgInt32(args, 1), ArgInt32(args, 2)));
}

void string_pos(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, static_cast<double>(Utf8Pos(ArgString(args, 0), ArgString(args, 1))));
}

void string_delete(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetString(result, Utf8Delete(ArgString(args, 0), ArgInt32(args, 1), ArgInt32(args, 2)));
}

void string_insert(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetString(result, Utf8Insert(ArgString(args, 0), ArgString(args, 1), ArgInt32(args, 2)));
}

void string_upper(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetString(result, Utf8Upper(ArgString(args, 0)));
}

} // namespace

void RegisterStringFunctions() {
    RegisterBuiltin("chr", chr, 1);
    RegisterBuiltin("string_length", string_length, 1);
    RegisterBuiltin("string_char_at", string_char_at, 2);
    RegisterBuiltin("string_copy", string_copy, 3);
    RegisterBuiltin("string_pos", string_pos, 2);
    RegisterBuiltin("string_delete", string_delete, 3);
    RegisterBuiltin("string_insert", string_insert, 3);
    RegisterBuiltin("string_upper", string_upper, 1);
}
