// Built-ins that ask where instances meet: a rectangle, a point, or the calling instance tried
// at another place. Targets are as everywhere: -1 self, -2 other, -3 all, -4 none, an object
// (its descendants too) or an instance id.
#include <algorithm>

#include "Code/Builtins.h"
#include "Code/GameConstants.h"
#include "Function/BuiltinGroups.h"
#include "Object/CollisionTest.h"
#include "Object/CollisionWorld.h"
#include "Support/CDS_List.h"
#include "Support/DsState.h"
#include "Variable/BuiltinArgs.h"

namespace {

void collision_rectangle(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    const CInstance* found = CollisionRectangle(self, other, ArgReal(args, 0), ArgReal(args, 1), ArgReal(args, 2),
                                                ArgReal(args, 3), ArgInt32(args, 4), ArgBool(args, 5),
                                                ArgBool(args, 6));
    SetReal(result, found ? found->id : noone);
}

void position_meeting(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    const double x = ArgReal(args, 0);
    const double y = ArgReal(args, 1);
    SetReal(result, CollisionRectangle(self, other, x, y, x, y, ArgInt32(args, 2), true, false) ? 1 : 0);
}

void place_meeting(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    SetReal(result, InstancesAtPlace(self, other, ArgReal(args, 0), ArgReal(args, 1), ArgInt32(args, 2), true).empty()
                        ? 0
                        : 1);
}

void place_free(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    bool free = true;
    for (const CInstance* instance : InstancesAtPlace(self, other, ArgReal(args, 0), ArgReal(args, 1), all, false))
        free &= !instance->Has(INSTANCE_FLAG_SOLID);
    SetReal(result, free ? 1 : 0);
}

// Appends to the list; with `ordered`, nearest to (x, y) first.
void instance_place_list(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    const double x = ArgReal(args, 0);
    const double y = ArgReal(args, 1);
    CDS_List* list = DsLists().Get(ArgInt32(args, 3));
    std::vector<CInstance*> found = InstancesAtPlace(self, other, x, y, ArgInt32(args, 2), false);
    if (ArgBool(args, 4)) {
        auto distance = [&](const CInstance* instance) {
            const double dx = instance->x - x, dy = instance->y - y;
            return dx * dx + dy * dy;
        };
        std::stable_sort(found.begin(), found.end(),
                         [&](const CInstance* a, const CInstance* b) { return distance(a) < distance(b); });
    }
    if (list)
        for (const CInstance* instance : found) list->Add(RealValue(instance->id));
    SetReal(result, list ? double(found.size()) : 0);
}

} // namespace

void RegisterCollisionFunctions() {
    RegisterBuiltin("collision_rectangle", collision_rectangle, 7);
    RegisterBuiltin("instance_place_list", instance_place_list, 5);
    RegisterBuiltin("place_meeting", place_meeting, 3);
    RegisterBuiltin("place_free", place_free, 2);
    RegisterBuiltin("position_meeting", position_meeting, 3);
}
