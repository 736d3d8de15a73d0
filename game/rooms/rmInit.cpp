// rmInit: oInit has prepared everything; play starts in rmGo.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Room_rmInit_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmInit_Create");
    Call(self, other, FN_room_goto, Value(rmGo));
}
