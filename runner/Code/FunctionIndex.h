// One number names anything callable: a built-in below 100 000, a script at 100 000 plus its
// index. Names are turned into these numbers once, at load.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

class CInstance;

constexpr int32_t FUNCTION_INDEX_SCRIPT_BASE = 100000;
constexpr int32_t FUNCTION_INDEX_SCRIPT_END = 499999;

// A script of that name wins over a built-in of the same name; an empty name or a miss is -1.
int32_t FindFunction(const char* name);

// Calls a built-in or a script by its function index.
RValue& CallFunction(CInstance* self, CInstance* other, RValue& result, int argc, int32_t index,
                     RValue** args);
