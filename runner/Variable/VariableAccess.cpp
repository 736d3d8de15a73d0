// Variable reads and writes by id, by target and in the global scope.
#include "Variable/VariableAccess.h"

#include "Code/FunctionIndex.h"
#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"
#include "Variable/InstanceTargets.h"
#include "Variable/CScriptRef.h"
#include "Variable/MethodObjects.h"
#include "Variable/VariableId.h"
#include "Variable/VariableNameRegistry.h"

namespace {

constexpr uint32_t NEW_GLOBAL_FLAGS = 7;

void MakeUnset(RValue& result) {
    FreeValue(result);
    result.kind = VALUE_UNSET;
}

CInstance* FirstLive(InstanceList instances) {
    for (CInstance* instance : instances)
        if (instance->IsLive()) return instance;
    return nullptr;
}

// The instance whose variable target.name reads.
CInstance* FirstTargetInstance(int32_t target) {
    const InstanceDirectory& directory = Instances();
    if (target == TARGET_ALL) return FirstLive(directory.ActiveInstances());
    if (target >= FIRST_INSTANCE_ID) {
        CInstance* instance = directory.FindInstance(target);
        return instance && !instance->IsMarked() ? instance : nullptr;
    }
    if (target < 0) return nullptr;
    return FirstLive(directory.InstancesOfObject(target));
}

bool SetOnTarget(int32_t target, int32_t id, int32_t array_index, const RValue& value) {
    return ForEachTargetInstance(Instances(), target, [&](CInstance* instance) {
        SetVariableDirect(instance, id, array_index, value);
    });
}

int32_t ScopeOf(const KxObjectBase* object) {
    return object == GlobalObject() ? VARIABLE_SCOPE_GLOBAL : VARIABLE_SCOPE_INSTANCE;
}

} // namespace

bool GetVariableDirect(KxObjectBase* object, int32_t id, int32_t array_index, RValue& result) {
    MakeUnset(result);
    if (id < BUILTIN_VARIABLE_ID_END) {
        const BuiltinVariable* builtin = BuiltinVariables().At(id);
        return builtin && builtin->getter(object->AsInstance(), array_index, &result);
    }
    if (object->slot_count <= 0) return false;
    RValue* slot = object->FindSlot(id - GAME_VARIABLE_ID_BASE);
    return slot && ReadValue(result, *slot, array_index);
}

bool SetVariableDirect(KxObjectBase* object, int32_t id, int32_t array_index, const RValue& value) {
    if (id < BUILTIN_VARIABLE_ID_END) {
        const BuiltinVariable* builtin = BuiltinVariables().At(id);
        return builtin && builtin->setter &&
               builtin->setter(object->AsInstance(), array_index, &value);
    }
    if (object->slot_count <= 0 || id < GAME_VARIABLE_ID_BASE) return false;
    AssignValue(*object->FindOrCreateVariable(id - GAME_VARIABLE_ID_BASE), value, array_index);
    return true;
}

bool GetVariable(int32_t target, int32_t slot, int32_t array_index, RValue& result) {
    CInstance* instance = FirstTargetInstance(target);
    if (!instance) {
        MakeUnset(result);
        return false;
    }
    return GetVariableDirect(instance, GameVariableId(slot), array_index, result);
}

bool SetVariable(int32_t target, int32_t slot, int32_t array_index, const RValue& value) {
    return SetOnTarget(target, GameVariableId(slot), array_index, value);
}

void SetVariableOrFail(int32_t target, int32_t id, int32_t array_index, const RValue& value) {
    if (SetOnTarget(target, id, array_index, value)) return;
    if (target >= 0 && target < FIRST_INSTANCE_ID) {
        RaiseRuntimeError("Unable to find any instance for object index '%d' name '%s'", target,
                          Instances().ObjectName(target));
    } else {
        RaiseRuntimeError("Unable to find any instance for object index '%d'", target);
    }
}

bool GetGlobalVariable(int32_t id, int32_t array_index, RValue& result) {
    bool read = GetVariableDirect(GlobalObject(), id, array_index, result);
    if (result.Kind() != VALUE_UNSET || id < GAME_VARIABLE_ID_BASE) return read;
    // A global never written that names a script or built-in reads as that function.
    int32_t function = FindFunction(VariableNames().GlobalName(id - GAME_VARIABLE_ID_BASE));
    if (function < 0) return read;
    FreeValue(result);
    result.obj = MethodObjectFor(function);
    result.kind = VALUE_OBJECT;
    return true;
}

void SetGlobalVariable(int32_t id, int32_t array_index, const RValue& value) {
    if (id < GAME_VARIABLE_ID_BASE) return;
    RValue& slot = *GlobalObject()->FindOrCreateVariable(id - GAME_VARIABLE_ID_BASE);
    uint32_t flags = slot.Kind() == VALUE_UNSET ? NEW_GLOBAL_FLAGS : slot.flags;
    AssignValue(slot, value, array_index);
    slot.flags = flags;
}

int32_t FindVariable(const KxObjectBase* object, std::string_view name) {
    return VariableNames().Find(ScopeOf(object), name);
}

int32_t FindOrAddVariable(const KxObjectBase* object, std::string_view name) {
    return VariableNames().FindOrAdd(ScopeOf(object), name);
}
