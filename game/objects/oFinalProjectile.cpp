// oFinalProjectile: a shot of the Presence. It flies straight through walls and floors, and goes
// once it has spent more than a second's steps off Mireth's screen. Drawn plain: no outline, no
// blink.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oFinalProjectile_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalProjectile_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_count), Value(0));
}

void psl_Object_oFinalProjectile_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalProjectile_Step_0");
    if (Value(Var(self, SLOT_pause))) return;
    SetBuiltinVar(self, VAR_x, BuiltinVar(self, VAR_x) + Var(self, SLOT_hv));
    SetBuiltinVar(self, VAR_y, BuiltinVar(self, VAR_y) + Var(self, SLOT_vv));
    frame.Line(2);
    if (!CallScript(psl_Script_outside_view, self, other)) return;
    RValue& count = Var(self, SLOT_count);
    count += Value(1);
    if (count > BuiltinVar(self, VAR_room_speed)) Call(self, other, FN_instance_destroy);
}

void psl_Object_oFinalProjectile_Draw_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalProjectile_Draw_0");
    Call(self, other, FN_draw_self);
}
