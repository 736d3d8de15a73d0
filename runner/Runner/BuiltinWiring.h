// The built-in function families, registered group by group at start-up in a fixed order;
// each group's label goes to the debug output before it.
#pragma once

// Registers every group in order, then writes "Fini".
void RegisterBuiltinFunctions();
// The built-in variables: the per-instance ones first, then the global ones.
void RegisterBuiltinVariables();
