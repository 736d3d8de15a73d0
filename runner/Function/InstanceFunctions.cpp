// Built-ins that make, destroy and look up instances through targets: -1 self, -2 other, -3
// all, -4 none, an object index (its descendants too) or an instance id.
#include <limits>

#include "Code/Builtins.h"
#include "Code/GameConstants.h"
#include "Function/BuiltinGroups.h"
#include "Object/InstanceLifecycle.h"
#include "Object/ObjectTable.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/InstanceTargets.h"

namespace {

void ReturnInstance(RValue& result, const CInstance* instance) {
    SetReal(result, instance ? instance->id : noone);
}

void instance_create_depth(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    CInstance* made = CreateInstance(ArgFloat(args, 0), ArgFloat(args, 1), ArgFloat(args, 2), ArgInt32(args, 3));
    SetReal(result, made ? made->id : -1);
}

void instance_create(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const int32_t object_index = ArgInt32(args, 2);
    const CObject* object = Objects().Find(object_index);
    CInstance* made = CreateInstance(ArgFloat(args, 0), ArgFloat(args, 1), object ? float(object->depth) : 0,
                                     object_index);
    SetReal(result, made ? made->id : -1);
}

void instance_destroy(RValue& result, CInstance* self, CInstance* other, int argc, RValue* args) {
    const int32_t target = argc > 0 ? ArgInt32(args, 0) : TARGET_SELF;
    const bool run_event = argc > 1 ? ArgBool(args, 1) : true;
    ForEachTargetOf(self, other, target, [&](CInstance* instance) { DestroyInstance(instance, run_event); });
    FreeValue(result);
}

void instance_exists(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    bool found = false;
    ForEachTargetOf(self, other, ArgInt32(args, 0), [&](CInstance* instance) { found |= !instance->IsMarked(); });
    SetReal(result, found ? 1 : 0);
}

void instance_number(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    int32_t count = 0;
    ForEachTargetOf(self, other, ArgInt32(args, 0), [&](CInstance* instance) { count += !instance->IsMarked(); });
    SetReal(result, count);
}

void instance_find(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    int32_t wanted = ArgInt32(args, 1);
    const CInstance* found = nullptr;
    ForEachTargetOf(self, other, ArgInt32(args, 0), [&](CInstance* instance) {
        if (!found && !instance->IsMarked() && wanted-- == 0) found = instance;
    });
    ReturnInstance(result, found);
}

void instance_nearest(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    const double x = ArgReal(args, 0);
    const double y = ArgReal(args, 1);
    const CInstance* nearest = nullptr;
    double best = std::numeric_limits<double>::infinity();
    ForEachTargetOf(self, other, ArgInt32(args, 2), [&](CInstance* instance) {
        if (instance->IsMarked()) return;
        const double dx = instance->x - x;
        const double dy = instance->y - y;
        if (const double distance = dx * dx + dy * dy; distance < best) {
            best = distance;
            nearest = instance;
        }
    });
    ReturnInstance(result, nearest);
}

} // namespace

void RegisterInstanceFunctions() {
    RegisterBuiltin("instance_create_depth", instance_create_depth, 4);
    RegisterBuiltin("instance_create", instance_create, 3);
    RegisterBuiltin("instance_destroy", instance_destroy, BUILTIN_VARIADIC);
    RegisterBuiltin("instance_exists", instance_exists, 1);
    RegisterBuiltin("instance_number", instance_number, 1);
    RegisterBuiltin("instance_find", instance_find, 2);
    RegisterBuiltin("instance_nearest", instance_nearest, 3);
}
