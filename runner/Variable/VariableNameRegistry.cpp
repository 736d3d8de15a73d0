// The name registry of game variables.
#include "Variable/VariableNameRegistry.h"

#include "Variable/BuiltinVariableTable.h"
#include "Variable/VariableId.h"

namespace {

void SetNameAt(std::vector<std::string>& names, int32_t slot, std::string_view name) {
    auto index = static_cast<size_t>(slot);
    if (index >= names.size()) names.resize(index + 1);
    names[index] = name;
}

} // namespace

const char* VariableNameRegistry::GlobalName(int32_t slot) const {
    if (slot < 0 || static_cast<size_t>(slot) >= global_names_.size()) return nullptr;
    const std::string& name = global_names_[static_cast<size_t>(slot)];
    return name.empty() ? nullptr : name.c_str();
}

void VariableNameRegistry::Register(int32_t scope, int32_t slot, std::string_view name) {
    if (slot < 0) return;
    if (scope == VARIABLE_SCOPE_GLOBAL) {
        SetNameAt(global_names_, slot, name);
    } else if (scope == VARIABLE_SCOPE_INSTANCE) {
        SetNameAt(instance_names_, slot, name);
        instance_slots_.insert_or_assign(std::string(name), slot);
    }
}

int32_t VariableNameRegistry::FindGlobal(std::string_view name) const {
    // Few globals, searched rarely (only when a script names one at run time).
    for (size_t i = 0; i < global_names_.size(); ++i)
        if (global_names_[i] == name) return static_cast<int32_t>(i);
    return -1;
}

int32_t VariableNameRegistry::FindInstance(std::string_view name) const {
    auto found = instance_slots_.find(name);
    return found == instance_slots_.end() ? -1 : found->second;
}

int32_t VariableNameRegistry::Find(int32_t scope, std::string_view name) const {
    switch (scope) {
    case VARIABLE_SCOPE_GLOBAL: return FindGlobal(name);
    case VARIABLE_SCOPE_INSTANCE: return FindInstance(name);
    case VARIABLE_SCOPE_ANY: {
        int32_t slot = FindGlobal(name);
        if (slot < 0) slot = FindInstance(name);
        return slot >= 0 ? slot : FindBuiltinVariable(name);
    }
    default: return -1;
    }
}

int32_t VariableNameRegistry::FindOrAdd(int32_t scope, std::string_view name) {
    int32_t slot = Find(scope, name);
    if (slot >= 0) return slot;
    if (scope == VARIABLE_SCOPE_GLOBAL) slot = static_cast<int32_t>(global_names_.size());
    else if (scope == VARIABLE_SCOPE_INSTANCE) slot = static_cast<int32_t>(instance_names_.size());
    else return -1;
    Register(scope, slot, name);
    return slot;
}

void VariableNameRegistry::Clear() {
    global_names_.clear();
    instance_names_.clear();
    instance_slots_.clear();
}

VariableNameRegistry& VariableNames() {
    static VariableNameRegistry names;
    return names;
}
