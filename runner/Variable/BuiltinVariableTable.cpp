// The built-in variable table and its name index.
#include "Variable/BuiltinVariableTable.h"

#include "Base/OutputChannel.h"

void BuiltinVariableTable::Register(const char* name, BuiltinVariableGetter getter,
                                    BuiltinVariableSetter setter) {
    if (Count() >= CAPACITY) {
        ErrorOutput().Write("INTERNAL ERROR: Adding too many variables\n");
        return;
    }
    index_by_name_.try_emplace(name, Count());
    entries_.push_back({name, getter, setter});
}

int32_t BuiltinVariableTable::Find(std::string_view name) const {
    auto found = index_by_name_.find(name);
    return found == index_by_name_.end() ? -1 : found->second;
}

void BuiltinVariableTable::Clear() {
    entries_.clear();
    index_by_name_.clear();
    instance_count_ = 0;
}

BuiltinVariableTable& BuiltinVariables() {
    static BuiltinVariableTable table;
    return table;
}

void RegisterBuiltinVariable(const char* name, BuiltinVariableGetter getter,
                             BuiltinVariableSetter setter) {
    BuiltinVariables().Register(name, getter, setter);
}

int32_t FindBuiltinVariable(std::string_view name) { return BuiltinVariables().Find(name); }
