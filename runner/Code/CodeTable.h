// The game's compiled functions, one per code entry of the game package and in the package's
// order: entry i of the package runs entry i of this table. The game supplies the table at
// link time; no names are matched at run time.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

class CInstance;

using ScriptFunction = RValue* (*)(CInstance* self, CInstance* other, RValue* result, int argc,
                                   RValue** args);
using EventFunction = void (*)(CInstance* self, CInstance* other);

// A script entry has `script` set; an object event or creation code has `event` set.
struct CodeEntry {
    const char* name;
    ScriptFunction script;
    EventFunction event;
};

void SetCodeTable(const CodeEntry* entries, int32_t count);
int32_t CodeEntryCount();
// Null for an index outside the table.
const CodeEntry* CodeEntryAt(int32_t index);
