// rmGo: the start of play, which goes on to the saved room.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Room_rmGo_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmGo_Create");
    // A room a hand-edited save names that is no place to play in is the title's.
    const double room = Real(Global(SLOT_char_room));
    if (room != double(int32_t(room)) || room < rmTemplate || room > rmTitle) Assign(Global(SLOT_char_room), Value(rmTitle));
    Call(self, other, FN_room_goto, Global(SLOT_char_room));
}
