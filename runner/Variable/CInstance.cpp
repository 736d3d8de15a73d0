// Instances take their variable count from the game's variable table.
#include "Variable/CInstance.h"

#include "Variable/GameVariables.h"

CInstance::CInstance(int32_t instance_id, int32_t object)
    : KxObjectBase(InstanceVariableCount()), id(instance_id), object_index(object) {}
