// oMegaWigglis: the pink world's beast. It runs from wall to wall; at each wall the next term of
// the Thue-Morse sequence (from a random place in it) says whether it hops or calls a drop down
// on Mireth. From 9 hit points left a rain falls over every arena wall at a steady beat, twice as
// often from 3; it runs faster as it is hurt.
#include <cmath>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"

namespace {

Value DropInterval(CInstance* self) { return BuiltinVar(self, VAR_room_speed) * (30.0 / 73.0 * 2); }

void Drop(CInstance* self, CInstance* other, const Value& x, const Value& depth) {
    Call(self, other, FN_instance_create_depth, x, Value(0), depth - 1.0, Value(oWigglisProjectile));
}

// The rain: its beat is halved once, from 3 hit points; it starts from 9.
void Rain(CInstance* self, CInstance* other) {
    RValue& interval = Var(self, SLOT_drop_time);
    if (Var(self, SLOT_hp) <= Value(3) && interval == DropInterval(self)) Assign(interval, interval / 2.0);
    RValue& timer = Var(self, SLOT_drop_timer);
    if (Var(self, SLOT_hp) <= Value(9) && timer == Value(-1)) Assign(timer, interval);
    if (timer <= Value(0)) return;
    timer -= Value(1);
    if (timer > Value(0)) return;
    timer += interval; // a beat of a fraction of a step keeps its remainder
    With(self, other, oBossBlock, [&](CInstance* wall, CInstance*) {
        Drop(self, other, BuiltinVar(wall, VAR_x) + 8.0, BuiltinVar(wall, VAR_depth));
    });
}

} // namespace

void psl_Object_oMegaWigglis_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaWigglis_Create_0");
    CreateBeast(self, other);
    Assign(Var(self, SLOT_talksound), Value(sndVoiceWigglis));
    Assign(Var(self, SLOT_grav), Value(0.1));
    Value seq;
    for (int k = 15; k >= 0; --k) AssignElement(seq, k, CallScript(psl_Script_thue_morse, self, other, Value(k)));
    Assign(Var(self, SLOT_seq), seq);
    Assign(Var(self, SLOT_i), Value(0));
    Assign(Var(self, SLOT_drop_time), DropInterval(self));
    Assign(Var(self, SLOT_drop_timer), Value(-1));
}

void psl_Object_oMegaWigglis_Other_13(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaWigglis_Other_13");
    Assign(Var(self, SLOT_hv), Value(-4));
    Assign(Var(self, SLOT_i), Call(self, other, FN_irandom, Value(15)));
    Assign(Var(self, SLOT_drop_timer), Value(-1));
    Assign(Var(self, SLOT_drop_time), DropInterval(self));
}

void psl_Object_oMegaWigglis_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaWigglis_Step_1");
    event_inherited(self, other);
    if (!BeastActs(self)) return;
    RValue& hv = Var(self, SLOT_hv);
    RValue& vv = Var(self, SLOT_vv);
    if (!CallScript(psl_Script_on_ground, self, other)) vv += Var(self, SLOT_grav);

    frame.Line(2);
    if (!CallScript(psl_Script_move, self, other, hv, Value(0))) {
        Assign(hv, -hv);
        RValue& i = Var(self, SLOT_i);
        if (Value(Element(Var(self, SLOT_seq), int32_t(Real(i)))) == Value(1)) {
            Assign(vv, Value(-std::sqrt(32 * Real(Var(self, SLOT_grav)))));
        } else {
            With(self, other, oChar, [&](CInstance* player, CInstance*) {
                Drop(self, other, BuiltinVar(player, VAR_x), BuiltinVar(self, VAR_depth));
            });
        }
        Assign(i, (i + 1.0) % Value(16));
    }

    frame.Line(3);
    if (!CallScript(psl_Script_move, self, other, vv, Value(1))) Assign(vv, Value(0));
    frame.Line(4);
    Rain(self, other);
    frame.Line(6);
    Assign(hv, Value(Sign(Real(hv)) * (7 - 0.5 * Real(Div(Var(self, SLOT_hp) + 2.0, Value(3))))));
}
