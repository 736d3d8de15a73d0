// oFlowerProjectile: a seed of the great flower puff. It bounces off what blocks it, and only once
// it has bounced does it hurt Mireth (by its own touch, not as a hazard) and break flower floors.
#include <utility>

#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oFlowerProjectile_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlowerProjectile_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_hurtful), Value(0));
    Assign(Var(self, SLOT_dangerous), Value(0));
}

void psl_Object_oFlowerProjectile_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlowerProjectile_Step_1");
    if (Value(Var(self, SLOT_pause))) return;
    for (const auto& [slot, axis] : {std::pair{SLOT_hv, 0}, std::pair{SLOT_vv, 1}}) {
        if (CallScript(psl_Script_move, self, other, Var(self, slot), Value(axis))) continue;
        Assign(Var(self, slot), -Var(self, slot));
        Assign(Var(self, SLOT_dangerous), Value(1));
    }
}

// Touching Mireth once it has bounced: a hit, and the seed is spent.
void psl_Object_oFlowerProjectile_Collision_1d27df08_c808_9f52_8329_e1bd321033a4(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlowerProjectile_Collision_1d27df08_c808_9f52_8329_e1bd321033a4");
    if (!Value(Var(self, SLOT_dangerous)) || Value(Var(self, SLOT_dead))) return;
    CallScript(psl_Script_hurt, self, other, BuiltinVar(other, VAR_id), BuiltinVar(self, VAR_id));
    CallScript(psl_Script_die, self, other);
}
