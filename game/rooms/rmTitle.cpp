// rmTitle: the title's music; the camera draws the title.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Room_rmTitle_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmTitle_Create");
    CallScript(psl_Script_room_music, self, other);
}
