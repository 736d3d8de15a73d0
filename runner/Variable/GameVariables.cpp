// Processing of the game's variable table at load, and the global object.
#include "Variable/GameVariables.h"

#include <algorithm>

#include "Variable/BuiltinVariableTable.h"
#include "Variable/GenericObjectPool.h"
#include "Variable/MethodObjects.h"
#include "Variable/SlotLayout.h"
#include "Variable/VariableId.h"
#include "Variable/VariableNameRegistry.h"

namespace {

int32_t g_global_count = 0;
int32_t g_instance_count = 0;
KxObjectBase* g_global_object = nullptr;

void ReleaseGlobalObject() {
    if (g_global_object) GenericObjects().Release(g_global_object);
    g_global_object = nullptr;
}

} // namespace

void LoadGameVariables(VariablePair* pairs, int32_t global_count, int32_t instance_count) {
    g_global_count = std::max(g_global_count, global_count);
    g_instance_count = std::max(g_instance_count, instance_count);

    VariableNameRegistry& names = VariableNames();
    for (VariablePair* pair = pairs; pair->name; ++pair) {
        const int32_t builtin = FindBuiltinVariable(pair->name);
        if (pair->slot < 0 || builtin >= 0) {
            pair->id = builtin;
            continue;
        }
        names.Register(VARIABLE_SCOPE_INSTANCE, pair->slot, pair->name);
        names.Register(VARIABLE_SCOPE_GLOBAL, pair->slot, pair->name);
    }

    ReleaseGlobalObject();
    g_global_object = GenericObjects().Create(std::max(g_global_count, g_instance_count));
}

void ResolveGameVariables(VariablePair* pairs) {
    NameMap<int32_t> resolved;
    for (VariablePair* pair = pairs; pair->name; ++pair) {
        int32_t builtin = FindBuiltinVariable(pair->name);
        if (builtin >= 0) {
            pair->id = builtin;
            continue;
        }
        int32_t next_id = GameVariableId(static_cast<int32_t>(resolved.size()));
        pair->id = resolved.try_emplace(pair->name, next_id).first->second;
    }
}

int32_t GlobalVariableCount() { return g_global_count; }
int32_t InstanceVariableCount() { return g_instance_count; }

KxObjectBase* GlobalObject() { return g_global_object; }

void ResetVariables() {
    ReleaseGlobalObject();
    ReleaseMethodObjects();
    RetireInstanceLayouts();
    VariableNames().Clear();
    BuiltinVariables().Clear();
    g_global_count = 0;
    g_instance_count = 0;
}
