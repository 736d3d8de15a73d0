// oActor: everything that moves with `move`: sub-pixel remainders, the collision query and
// handler it uses, hit points and the blink of invulnerability.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/SpriteEffects.h"

void psl_Object_oActor_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oActor_Create_0");
    Value remainder;
    AssignElement(remainder, 1, Value(0));
    AssignElement(remainder, 0, Value(0));
    Assign(Var(self, SLOT_remainder), remainder);
    Assign(Var(self, SLOT_check_collision), Call(self, other, FN_asset_get_index, Value("check_collision_basic")));
    Assign(Var(self, SLOT_handle_collision), Call(self, other, FN_asset_get_index, Value("handle_collision_basic")));
    for (int32_t slot : {SLOT_hv, SLOT_vv, SLOT_pause, SLOT_invuln, SLOT_draw, SLOT_dead})
        Assign(Var(self, slot), Value(0));
    Assign(Var(self, SLOT_grav), Value(0.25));
    Assign(Var(self, SLOT_hp), Value(1));
    Assign(Var(self, SLOT_invuln_time), BuiltinVar(self, VAR_room_speed));
}

// Outlined, and blinking while invulnerable; nothing off screen or without a sprite.
void psl_Object_oActor_Draw_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oActor_Draw_0");
    if (BuiltinVar(self, VAR_sprite_index) < Value(0) || CallScript(psl_Script_outside_view, self, other)) return;
    frame.Line(2);
    RValue& invuln = Var(self, SLOT_invuln);
    if (invuln > Value(0)) {
        invuln -= Value(1);
        if (invuln == Value(0)) Assign(Var(self, SLOT_draw), Value(0));
    }
    frame.Line(3);
    const Value phase = invuln % Value(4);
    if ((phase == Value(1) || phase == Value(2)) && !Value(Var(self, SLOT_draw))) return;
    DrawOutlinedActor(self, other);
}
