// The runtime's variable reads and writes: by id on one object, through a target (target.name
// in script code), in the global scope, and the name look-ups that give slot numbers.
//
// Ids are built-in indices or game variable ids (VariableId.h); the functions that take a
// `slot` take the bare slot number. Reads leave the result unset and report false when the
// variable does not exist; they never raise for that.
#pragma once

#include <cstdint>
#include <string_view>

#include "Code/RValue.h"

class KxObjectBase;

bool GetVariableDirect(KxObjectBase* object, int32_t id, int32_t array_index, RValue& result);
// False for a read-only built-in, which keeps its value.
bool SetVariableDirect(KxObjectBase* object, int32_t id, int32_t array_index, const RValue& value);

// target.name: the first instance the target names (-3 all, an instance id, an object index).
bool GetVariable(int32_t target, int32_t slot, int32_t array_index, RValue& result);
// target.name = value on every instance the target names; false when it names none.
bool SetVariable(int32_t target, int32_t slot, int32_t array_index, const RValue& value);
// As SetVariable, by id, and raising a runtime error when the target names no instance.
void SetVariableOrFail(int32_t target, int32_t id, int32_t array_index, const RValue& value);

bool GetGlobalVariable(int32_t id, int32_t array_index, RValue& result);
void SetGlobalVariable(int32_t id, int32_t array_index, const RValue& value);

// Slot numbers of names: global names for the global object, instance names otherwise. -1
// when missing; FindOrAddVariable names a new slot instead.
int32_t FindVariable(const KxObjectBase* object, std::string_view name);
int32_t FindOrAddVariable(const KxObjectBase* object, std::string_view name);
