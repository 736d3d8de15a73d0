// oBossTrigger: walking into it starts every beast's fight in the room, once; Mireth's death sets
// it again, and a beast's death takes it away.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oBossTrigger_Create_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oBossTrigger_Create_0");
    Assign(Var(self, SLOT_hit), Value(0));
}

void psl_Object_oBossTrigger_Collision_1d27df08_c808_9f52_8329_e1bd321033a4(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBossTrigger_Collision_1d27df08_c808_9f52_8329_e1bd321033a4");
    if (Value(Var(self, SLOT_hit)) || Value(Var(other, SLOT_dead))) return;
    With(self, other, oBoss, [](CInstance* boss, CInstance* trigger) { event_user(boss, trigger, 2); });
    Assign(Var(self, SLOT_hit), Value(1));
}
