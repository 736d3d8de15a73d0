// Asking what an instance is.
#pragma once

#include "CodeTable.h"
#include "GameNames.h"

// Whether an object index is the object or one of its descendants.
inline bool IsObjectOrChild(CInstance* self, CInstance* other, const Value& index, int32_t object) {
    return index == Value(object) || Call(self, other, FN_object_is_ancestor, index, Value(object));
}
// Whether the instance (or the instance with that id) is of the object or of a descendant.
inline bool IsA(CInstance* self, CInstance* other, CInstance* instance, int32_t object) {
    return IsObjectOrChild(self, other, BuiltinVar(instance, VAR_object_index), object);
}
inline bool IsA(CInstance* self, CInstance* other, const RValue& instance_id, int32_t object) {
    return IsObjectOrChild(self, other, BuiltinVarOf(int32_t(Real(instance_id)), VAR_object_index), object);
}
