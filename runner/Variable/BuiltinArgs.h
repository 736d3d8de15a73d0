// Typed reads of a built-in's arguments. An argument of a kind the getter does not take raises
// "<built-in> argument <n> incorrect type (<kind>) expecting a ..." and gives 0, false or "".
#pragma once

#include <cstdint>

#include "Code/RValue.h"

double ArgReal(const RValue* args, int index);
int32_t ArgInt32(const RValue* args, int index);
bool ArgBool(const RValue* args, int index);
float ArgFloat(const RValue* args, int index);
uint32_t ArgUInt32(const RValue* args, int index);
intptr_t ArgPointer(const RValue* args, int index);
double ArgNumber(const RValue* args, int index);

// The argument as text; a number, bool or integer is formatted into a temporary that lives
// until the built-in call returns (Code/ArgumentTexts).
const char* ArgString(const RValue* args, int index);

// The kind a wrong-kind report names: as `typeof` gives it, and "method" for a callable object.
const char* ValueKindName(const RValue& v);
