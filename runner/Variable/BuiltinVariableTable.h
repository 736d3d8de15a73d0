// The built-in variables (x, alarm, room, ...): a name with a getter and an optional setter,
// numbered in registration order. The per-instance ones are registered first; the count at
// that point is the boundary that tells them from the global ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Code/RValue.h"
#include "Variable/NameHash.h"

class CInstance;

// The array index is ARRAY_INDEX_NONE when the code gave none. The instance is null when the
// variable is reached through an object that is not an instance (the global object).
using BuiltinVariableGetter = bool (*)(CInstance* self, int32_t array_index, RValue* result);
using BuiltinVariableSetter = bool (*)(CInstance* self, int32_t array_index, const RValue* value);

struct BuiltinVariable {
    std::string name;
    BuiltinVariableGetter getter;
    BuiltinVariableSetter setter; // null for read-only variables
};

class BuiltinVariableTable {
public:
    static constexpr int32_t CAPACITY = 500;

    // Ignored, with an error report, once the table is full.
    void Register(const char* name, BuiltinVariableGetter getter, BuiltinVariableSetter setter);
    // Index of the variable, or -1.
    int32_t Find(std::string_view name) const;
    // Null for an index that names no variable.
    const BuiltinVariable* At(int32_t index) const {
        if (index < 0 || index >= Count()) return nullptr;
        return &entries_[static_cast<size_t>(index)];
    }
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

    // Everything registered so far belongs to instances; what follows is global.
    void EndInstanceVariables() { instance_count_ = Count(); }
    bool IsPerInstance(int32_t index) const { return index >= 0 && index < instance_count_; }

    void Clear();

private:
    std::vector<BuiltinVariable> entries_;
    NameMap<int32_t> index_by_name_;
    int32_t instance_count_ = 0;
};

// The runner's one table, filled at start-up before the game package is read.
BuiltinVariableTable& BuiltinVariables();

void RegisterBuiltinVariable(const char* name, BuiltinVariableGetter getter,
                             BuiltinVariableSetter setter);
int32_t FindBuiltinVariable(std::string_view name);
