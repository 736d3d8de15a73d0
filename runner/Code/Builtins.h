// The registry of built-in functions. Every built-in has one signature and is named once, at
// start; compiled code resolves the names it calls at load and then calls by index.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

class CInstance;

using BuiltinFunction = void (*)(RValue& result, CInstance* self, CInstance* other, int argc,
                                 RValue* args);

// Any number of arguments.
constexpr int32_t BUILTIN_VARIADIC = -1;
constexpr size_t BUILTIN_NAME_SIZE = 64;

struct BuiltinEntry {
    char name[BUILTIN_NAME_SIZE]; // at most 63 characters
    BuiltinFunction function;
    int32_t argument_count;
};

// Appends an entry; its index is its registration order.
void RegisterBuiltin(const char* name, BuiltinFunction function, int32_t argument_count);
// The first entry of that name, or -1.
int32_t FindBuiltin(const char* name);
int32_t BuiltinCount();
const BuiltinEntry& BuiltinAt(int32_t index);
void ClearBuiltins();

// The name of the built-in being called, for argument messages ("" outside a call).
const char* CurrentBuiltinName();

// Calls built-in `index` with the arguments laid out in one block, without touching their
// reference counts; the result is released and left undefined for the built-in to fill. The
// result must not be one of the arguments: the block borrows what they hold.
RValue& CallBuiltin(CInstance* self, CInstance* other, RValue& result, int argc, int32_t index,
                    RValue** args);
