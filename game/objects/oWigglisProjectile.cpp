// oWigglisProjectile: a drop the great wiggler calls down, upside down, falling faster the more
// the beast is hurt, until it lands.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oWigglisProjectile_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oWigglisProjectile_Create_0");
    event_inherited(self, other);
    SetBuiltinVar(self, VAR_image_yscale, Value(-1));
    // Without a beast (never in play), as from one at full strength.
    Value hp(15);
    With(self, other, oMegaWigglis, [&](CInstance* beast, CInstance*) { hp = Var(beast, SLOT_hp); });
    Assign(Var(self, SLOT_grav), Value(0.35) - Div(hp + 2.0, Value(3)) * 0.05);
}

void psl_Object_oWigglisProjectile_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oWigglisProjectile_Step_1");
    if (Value(Var(self, SLOT_pause))) return;
    Var(self, SLOT_vv) += Var(self, SLOT_grav);
    if (!CallScript(psl_Script_move, self, other, Var(self, SLOT_vv), Value(1))) CallScript(psl_Script_die, self, other);
}
