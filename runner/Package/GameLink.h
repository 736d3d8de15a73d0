// What the compiled game hands the runner: its code table (one compiled function per code
// entry of the package, in the package's order), the variables and functions its code names,
// and its variable counts. Names are resolved once, at load; compiled code then works with
// the numbers the pairs hold.
#pragma once

#include <cstdint>

#include "Code/CodeTable.h"
#include "Variable/GameVariables.h"

// A function the game calls through the registry: index is -1 until load, then a built-in
// index or a script's function index (-1 again when nothing has that name).
struct FunctionPair {
    const char* name;
    int32_t index;
};

// The window's icon as the game was built with it: RGBA rows from the top; none when null.
struct GameIcon {
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* rgba = nullptr;
};

struct GameLink {
    int32_t global_count = 0;
    int32_t instance_count = 0;
    VariablePair* variables = nullptr; // ends with a pair whose name is null
    FunctionPair* functions = nullptr; // ends with a pair whose name is null
    const CodeEntry* code = nullptr;
    int32_t code_count = 0;
    // The stamp of the package built with this code (its header's timestamp); 0 when the game
    // was not built with a package of its own, and any package of matching code will do.
    uint64_t package_stamp = 0;
    GameIcon icon;
};

// Installs the game's code table; the package loader then reads against this link.
void LinkGame(const GameLink& link);
const GameLink& LinkedGame();

// Once the package is read: every function pair and variable pair gets its number by name.
void ResolveGameNames();
