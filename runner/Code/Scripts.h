// The game's scripts: a name and the code entry that runs it. The package loader fills the
// table; compiled scripts call each other directly, and the runner calls them by index.
#pragma once

#include <cstdint>
#include <string>

#include "Code/RValue.h"

class CInstance;

struct CScript {
    std::string name;
    int32_t code_index; // negative: the script has no code
};

int32_t Script_Add(std::string name, int32_t code_index);
void Script_Clear();
int32_t Script_Count();
// The first script of that name, or -1.
int32_t Script_Find(const char* name);
const CScript& Script_At(int32_t index);

// Sets the result to 0, then runs the script's compiled function, if it has one.
RValue& CallScript(CInstance* self, CInstance* other, RValue& result, int argc, int32_t script_index,
                   RValue** args);
