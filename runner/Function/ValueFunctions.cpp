// Built-ins on values and arrays: the array literal, array_create and friends, kind tests and
// the conversions `real` and `string`.
#include "Function/BuiltinGroups.h"

#include "Code/Builtins.h"
#include "Code/ValueArray.h"
#include "Code/ValueConvert.h"
#include "Code/ValueText.h"
#include "Variable/BuiltinArgs.h"

namespace {

// [a, b, c]: element i is argument i; no arguments still make an (empty) array.
void NewPslArray(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    FreeValue(result);
    result.arr = NewSharedArray(&result);
    result.kind = VALUE_ARRAY;
    for (int i = argc - 1; i >= 0; --i) AssignValue(result, args[i], i);
}

void array_create(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    int32_t size = ArgInt32(args, 0);
    FreeValue(result);
    result.arr = NewSharedArray(&result);
    result.kind = VALUE_ARRAY;
    if (size <= 0) return;
    if (argc < 2) {
        AssignValue(result, RealValue(0), size - 1);
        return;
    }
    for (int32_t i = size - 1; i >= 0; --i) AssignValue(result, args[1], i);
}

void array_length_1d(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, ArrayLength(args[0]));
}

void is_array(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, args[0].kind == VALUE_ARRAY);
}
void is_string(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, args[0].kind == VALUE_STRING);
}
void is_real(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, args[0].kind == VALUE_REAL);
}
void is_undefined(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, args[0].kind == VALUE_UNDEFINED);
}

void real(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, ToReal(args[0]));
}

void string(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    MakeString(result, ValueText(args[0]));
}

} // namespace

void RegisterValueFunctions() {
    RegisterBuiltin("@@NewPSLArray@@", NewPslArray, BUILTIN_VARIADIC);
    RegisterBuiltin("array_create", array_create, BUILTIN_VARIADIC);
    RegisterBuiltin("array_length_1d", array_length_1d, 1);
    RegisterBuiltin("is_array", is_array, 1);
    RegisterBuiltin("is_string", is_string, 1);
    RegisterBuiltin("is_real", is_real, 1);
    RegisterBuiltin("is_undefined", is_undefined, 1);
    RegisterBuiltin("real", real, 1);
    RegisterBuiltin("string", string, 1);
}
