// The creation code the playable rooms share (`creation music` in their files): the title, the
// test room and arenas, the house, the worlds and the last room only choose their music.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Room_music_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_music_Create");
    CallScript(psl_Script_room_music, self, other);
}
