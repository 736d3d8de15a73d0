// oFloater: the parent of the enemies that float on a fixed path (oSlimey, oWigglis), `hamp` and
// `vamp` pixels wide and tall, once around every `hper` and `vper` steps from a random phase; the
// room's creation code sets them.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/FloatingPath.h"

void psl_Object_oFloater_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFloater_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_hamp), Value(0));
    Assign(Var(self, SLOT_vamp), Value(0));
    Assign(Var(self, SLOT_hper), BuiltinVar(self, VAR_room_speed));
    Assign(Var(self, SLOT_vper), BuiltinVar(self, VAR_room_speed));
    Assign(Var(self, SLOT_stepc), Call(self, other, FN_irandom, Var(self, SLOT_hper) - 1.0));
}

void psl_Object_oFloater_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFloater_Step_1");
    event_inherited(self, other);
    if (Value(Var(self, SLOT_pause))) return;
    Var(self, SLOT_stepc) += Value(1);
    PlaceOnFloatingPath(self, other);
}
