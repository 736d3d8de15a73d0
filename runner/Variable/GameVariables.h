// The game's variables at load: the compiled game's table of variable names, the global and
// instance variable counts, and the global object that holds the global variables.
#pragma once

#include <cstdint>

class KxObjectBase;

// One identifier that the game's code uses as a variable. The game's own variables come first
// with their slot numbers 0, 1, ...; names settled at load follow with slot -1. Loading gives
// each its id, and leaves the slot as declared, so a second load in one process reads the
// same table. The table ends with a pair whose name is null.
struct VariablePair {
    const char* name;
    int32_t slot;
    int32_t id = -1; // a built-in's index or a game variable's id once loaded; -1 before
};

// While the package is read: raises the variable counts to the game's, names the game's
// slots in both scopes, turns each -1 into the built-in index of its name (or leaves -1), and
// creates the global object. Built-in variables must be registered before.
void LoadGameVariables(VariablePair* pairs, int32_t global_count, int32_t instance_count);
// Once the whole package is read: every pair gets its id by name again, a built-in index or a
// game variable id numbered in the order the names first appear.
void ResolveGameVariables(VariablePair* pairs);

int32_t GlobalVariableCount();
int32_t InstanceVariableCount();

// The one holder of global variables; null before load.
KxObjectBase* GlobalObject();

// The end of a game: releases the global object and forgets every name, built-in variable and
// count, so that a new load starts from nothing.
void ResetVariables();
