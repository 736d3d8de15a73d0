// oMegaPresent: the great present a beaten beast leaves; it speaks without a voice, as the music
// falls silent for it.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oMegaPresent_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaPresent_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_talksound), Value(-4));
}
