// The names the game's C++ sources use, read from the sources themselves so that no hand-kept
// list can drift from the code: game variables (SLOT_<name>), built-in variables
// (VAR_<name>), built-in functions (FN_<name>) and the scripts the game defines
// (psl_Script_<name>), and the handler names it uses (psl_Object_..., psl_Room_...). From them the packer generates "GameNames.h"/"GameNames.cpp": the slot
// numbers, the variable and function pairs the runner resolves at load, and the game's link
// record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

struct GameSourceNames {
    std::set<std::string> game_variables;
    std::set<std::string> builtin_variables;
    std::set<std::string> functions;
    std::set<std::string> scripts;
    // Every psl_Object_ and psl_Room_ name: the handlers the game defines or mentions.
    std::set<std::string> handlers;
};

// Every .cpp and .h file under `folder`, its subfolders included. Identifiers inside comments
// and strings count too: an unused name costs only a table entry.
GameSourceNames ScanGameSources(const std::filesystem::path& folder);

// "GameNames.h": SLOT_ constants, VAR_ and FN_ pairs by reference, and GameLinkRecord().
std::string GameNamesHeader(const GameSourceNames& names);
// "GameNames.cpp": the pair tables and the link record over the code table, with the stamp of
// the package built beside it.
std::string GameNamesSource(const GameSourceNames& names, uint64_t package_stamp);
