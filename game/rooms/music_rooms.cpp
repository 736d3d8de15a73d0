// The playable rooms whose creation code only chooses their music (room_music): the title, the
// test room and arenas, the house, the worlds and the last room.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Room_rmTitle_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmTitle_Create");
    CallScript(psl_Script_room_music, self, other);
}

void psl_Room_rmTemplate_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmTemplate_Create");
    CallScript(psl_Script_room_music, self, other);
}

void psl_Room_rmArena_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmArena_Create");
    CallScript(psl_Script_room_music, self, other);
}

void psl_Room_rmArenaPink_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmArenaPink_Create");
    CallScript(psl_Script_room_music, self, other);
}

void psl_Room_rmArenaPurple_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmArenaPurple_Create");
    CallScript(psl_Script_room_music, self, other);
}

void psl_Room_rmHouse_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmHouse_Create");
    CallScript(psl_Script_room_music, self, other);
}

void psl_Room_rmSnow_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmSnow_Create");
    CallScript(psl_Script_room_music, self, other);
}

void psl_Room_rmFinal_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmFinal_Create");
    CallScript(psl_Script_room_music, self, other);
}
