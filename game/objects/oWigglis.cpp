// oWigglis: a wiggler of the pink world, floating on its path with a voice of its own.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oWigglis_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oWigglis_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_talksound), Value(sndVoiceWigglis));
}
