// oFlowerfluff: a flower puff of the purple world. It circles backwards, `amp` + 4 pixels around a
// point 24 pixels below its start, once every `per` steps from a random phase.
#include <numbers>

#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oFlowerfluff_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlowerfluff_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_talksound), Value(sndVoiceFlowerfluff));
    Assign(Var(self, SLOT_amp), Value(0));
    Assign(Var(self, SLOT_per), BuiltinVar(self, VAR_room_speed));
    Assign(Var(self, SLOT_xp), BuiltinVar(self, VAR_xstart));
    Assign(Var(self, SLOT_yp), BuiltinVar(self, VAR_ystart) + 24.0);
    Assign(Var(self, SLOT_stepc), Call(self, other, FN_irandom, Var(self, SLOT_per) - 1.0));
}

// One step back around the circle: the angle runs backwards, modulo the period.
void psl_Object_oFlowerfluff_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlowerfluff_Step_1");
    event_inherited(self, other);
    if (Value(Var(self, SLOT_pause))) return;
    Var(self, SLOT_stepc) += Var(self, SLOT_per) - 1.0;
    const Value turn = Var(self, SLOT_stepc) * (2 * std::numbers::pi) / Var(self, SLOT_per);
    const Value radius = Var(self, SLOT_amp) + 4.0;
    SetBuiltinVar(self, VAR_x, Var(self, SLOT_xp) + radius * Call(self, other, FN_cos, turn));
    SetBuiltinVar(self, VAR_y, Var(self, SLOT_yp) + radius * Call(self, other, FN_sin, turn));
}
