// The variable_global_* and variable_instance_* built-ins over names.
#include "Variable/VariableFunctions.h"

#include <string_view>

#include "Code/ValueArray.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"
#include "Variable/InstanceTargets.h"
#include "Variable/VariableAccess.h"
#include "Variable/VariableId.h"

namespace {

// The built-in index of the name, else the id of its slot in the object's scope; -1 if none.
int32_t VariableIdOf(const KxObjectBase* object, std::string_view name) {
    int32_t builtin = FindBuiltinVariable(name);
    if (builtin >= 0) return builtin;
    int32_t slot = FindVariable(object, name);
    return slot >= 0 ? GameVariableId(slot) : -1;
}

int32_t GlobalVariableIdOf(std::string_view name) {
    int32_t id = VariableIdOf(GlobalObject(), name);
    return BuiltinVariables().IsPerInstance(id) ? -1 : id;
}

// A read that fails or finds a never-written variable gives undefined.
void ReadOrUndefined(bool read, RValue& result) {
    if (!read || result.Kind() == VALUE_UNSET) FreeValue(result);
}

bool HasValue(CInstance* instance, std::string_view name) {
    if (!instance || !instance->IsLive()) return false;
    int32_t id = VariableIdOf(instance, name);
    ScopedRValue value;
    return id >= 0 && GetVariableDirect(instance, id, ARRAY_INDEX_NONE, value) &&
           value.Kind() != VALUE_UNSET;
}

CInstance* InstanceWithId(int32_t instance_id) {
    return instance_id >= FIRST_INSTANCE_ID ? Instances().FindInstance(instance_id) : nullptr;
}

} // namespace

bool VariableGlobalExists(const char* name) {
    int32_t id = GlobalVariableIdOf(name);
    ScopedRValue value;
    return id >= 0 && GetGlobalVariable(id, ARRAY_INDEX_NONE, value) &&
           value.Kind() != VALUE_UNSET;
}

void VariableGlobalGet(const char* name, RValue& result) {
    int32_t id = GlobalVariableIdOf(name);
    ReadOrUndefined(id >= 0 && GetGlobalVariable(id, ARRAY_INDEX_NONE, result), result);
}

void VariableGlobalSet(const char* name, const RValue& value) {
    int32_t builtin = FindBuiltinVariable(name);
    if (builtin >= 0) {
        if (!BuiltinVariables().IsPerInstance(builtin))
            SetVariableDirect(GlobalObject(), builtin, ARRAY_INDEX_NONE, value);
        return;
    }
    int32_t slot = FindOrAddVariable(GlobalObject(), name);
    SetGlobalVariable(GameVariableId(slot), ARRAY_INDEX_NONE, value);
}

bool VariableInstanceExists(CInstance* self, CInstance* other, int32_t target, const char* name) {
    if (target == TARGET_SELF) return HasValue(self, name);
    if (target == TARGET_OTHER) return HasValue(other, name);
    bool exists = false;
    ForEachTargetInstance(Instances(), target, [&](CInstance* instance) {
        exists = exists || HasValue(instance, name);
    });
    return exists;
}

void VariableInstanceGet(int32_t instance_id, const char* name, RValue& result) {
    CInstance* instance = InstanceWithId(instance_id);
    int32_t id = instance ? VariableIdOf(instance, name) : -1;
    ReadOrUndefined(id >= 0 && GetVariableDirect(instance, id, ARRAY_INDEX_NONE, result), result);
}

void VariableInstanceSet(int32_t instance_id, const char* name, const RValue& value) {
    CInstance* instance = InstanceWithId(instance_id);
    if (!instance) return;
    int32_t builtin = FindBuiltinVariable(name);
    int32_t id = builtin >= 0 ? builtin : GameVariableId(FindOrAddVariable(instance, name));
    SetVariableDirect(instance, id, ARRAY_INDEX_NONE, value);
}
