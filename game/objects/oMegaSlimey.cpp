// oMegaSlimey: the snow world's beast. It runs along the floor, climbs a wall it meets, bounces off
// the ceiling with a shot at Mireth and off the floor with a shot toward home, turning round; it
// runs and shoots faster as it is hurt. Once beaten it never comes back.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"

namespace {

constexpr double kClimb = 4;

// A shot from just below its middle toward (x, y), faster as the beast is hurt.
void Shoot(CInstance* self, CInstance* other, const Value& x, const Value& y) {
    const Value direction = Call(self, other, FN_point_direction, BuiltinVar(self, VAR_x), BuiltinVar(self, VAR_y), x, y);
    const Value speed = Var(self, SLOT_max_hp) - Var(self, SLOT_hp) + 1.0;
    const Value shot = Call(self, other, FN_instance_create_depth, BuiltinVar(self, VAR_x), BuiltinVar(self, VAR_y) + 8.0,
                            BuiltinVar(self, VAR_depth) - 1.0, Value(oSlimeyProjectile));
    SetVarOf(int32_t(Real(shot)), SLOT_hv, Call(self, other, FN_lengthdir_x, speed, direction));
    SetVarOf(int32_t(Real(shot)), SLOT_vv, Call(self, other, FN_lengthdir_y, speed, direction));
}

} // namespace

void psl_Object_oMegaSlimey_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaSlimey_Create_0");
    CreateBeast(self, other);
}

void psl_Object_oMegaSlimey_Other_13(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oMegaSlimey_Other_13");
    Assign(Var(self, SLOT_hv), Value(1));
}

void psl_Object_oMegaSlimey_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaSlimey_Step_1");
    event_inherited(self, other);
    if (!BeastActs(self)) return;
    RValue& hv = Var(self, SLOT_hv);
    RValue& vv = Var(self, SLOT_vv);
    if (!CallScript(psl_Script_move, self, other, hv, Value(0)) && vv == Value(0)) Assign(vv, Value(-kClimb));

    frame.Line(2);
    if (!CallScript(psl_Script_move, self, other, vv, Value(1))) {
        Assign(vv, -vv);
        if (vv == Value(kClimb)) {
            With(self, other, oChar, [&](CInstance* player, CInstance*) {
                Shoot(self, other, BuiltinVar(player, VAR_x), BuiltinVar(player, VAR_y));
            });
        } else {
            Shoot(self, other, BuiltinVar(self, VAR_xstart), BuiltinVar(self, VAR_ystart) - 16.0);
        }
        if (vv == Value(-kClimb)) {
            Assign(vv, Value(0));
            Assign(hv, -hv);
        }
    }

    frame.Line(3);
    Assign(hv, Value(Sign(Real(hv)) * (2 + Real(Var(self, SLOT_max_hp) - Var(self, SLOT_hp)) / 2)));
}
