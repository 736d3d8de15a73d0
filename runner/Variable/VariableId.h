// How one 32-bit number names a variable for the whole program: built-in variables by their
// index in the built-in table, game variables by slot number + GAME_VARIABLE_ID_BASE, and
// negative numbers for "not found". Also the scope numbers of the name registry.
#pragma once

#include <cstdint>

constexpr int32_t BUILTIN_VARIABLE_ID_END = 10000;
constexpr int32_t GAME_VARIABLE_ID_BASE = 100000;

constexpr int32_t VARIABLE_SCOPE_INSTANCE = -1;
constexpr int32_t VARIABLE_SCOPE_GLOBAL = -5;
// Looks in the global names, then the instance names, then the built-in names.
constexpr int32_t VARIABLE_SCOPE_ANY = -6;

constexpr int32_t GameVariableId(int32_t slot) { return slot + GAME_VARIABLE_ID_BASE; }
