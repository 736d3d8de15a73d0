// oSlimeyProjectile: the great slime's ice ball, flying straight until it meets anything solid.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oSlimeyProjectile_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oSlimeyProjectile_Step_1");
    if (Value(Var(self, SLOT_pause))) return;
    if (!CallScript(psl_Script_move, self, other, Var(self, SLOT_hv), Value(0)) ||
        !CallScript(psl_Script_move, self, other, Var(self, SLOT_vv), Value(1)))
        CallScript(psl_Script_die, self, other);
}
