// What the built-ins variable_global_exists/get/set and variable_instance_exists/get/set do,
// over plain names and values; registering them as built-ins with their argument checks is
// the built-in registry's part. A missing or never-written variable reads as undefined.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

class CInstance;

// Per-instance built-ins (x, alarm, ...) have no global value: they neither exist nor read
// globally, and setting one globally is ignored.
bool VariableGlobalExists(const char* name);
void VariableGlobalGet(const char* name, RValue& result);
void VariableGlobalSet(const char* name, const RValue& value);

// Target: self, other, all, an instance id or an object index.
bool VariableInstanceExists(CInstance* self, CInstance* other, int32_t target, const char* name);
// Only instance ids name an instance here.
void VariableInstanceGet(int32_t instance_id, const char* name, RValue& result);
void VariableInstanceSet(int32_t instance_id, const char* name, const RValue& value);
