// Instances take their variable count from the game's variable table and their cells' layout
// from their object.
#include "Variable/CInstance.h"

#include "Variable/GameVariables.h"

CInstance::CInstance(int32_t instance_id, int32_t object)
    : KxObjectBase(InstanceVariableCount(), InstanceLayout(object)), object_index(object), id(instance_id) {}
