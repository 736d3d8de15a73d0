// The names of the game's variables: global names by slot number, instance names by slot
// number with a map back from name to slot. Names are turned into slot numbers once, at load;
// only scripts that name variables at run time (variable_global_set and friends) add to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Variable/NameHash.h"

class VariableNameRegistry {
public:
    // Scope VARIABLE_SCOPE_GLOBAL or VARIABLE_SCOPE_INSTANCE: names slot `slot` of that scope.
    void Register(int32_t scope, int32_t slot, std::string_view name);
    // Slot number of the name in the scope, or -1. VARIABLE_SCOPE_ANY falls back from the
    // global names to the instance names to the built-in variables (giving a built-in index).
    int32_t Find(int32_t scope, std::string_view name) const;
    // As Find, but a missing name is appended to the scope's list and its new slot returned.
    int32_t FindOrAdd(int32_t scope, std::string_view name);

    // Null for a slot without a name.
    const char* GlobalName(int32_t slot) const;

    void Clear();

private:
    int32_t FindGlobal(std::string_view name) const;
    int32_t FindInstance(std::string_view name) const;

    std::vector<std::string> global_names_;
    std::vector<std::string> instance_names_;
    NameMap<int32_t> instance_slots_;
};

VariableNameRegistry& VariableNames();
