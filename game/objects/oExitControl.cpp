// oExitControl: the room's exits, one record a screen ([room, screen column, screen row, axis]),
// written by its creation code; -1 where a screen has none.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oExitControl_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oExitControl_Create_0");
    const Value grid = Call(self, other, FN_ds_grid_create, Div(BuiltinVar(self, VAR_room_width), Global(SLOT_view_width)),
                            Div(BuiltinVar(self, VAR_room_height), Global(SLOT_view_height)));
    Call(self, other, FN_ds_grid_clear, grid, Value(-1));
    Assign(Var(self, SLOT_grid), grid);
}

void psl_Object_oExitControl_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oExitControl_Destroy_0");
    Call(self, other, FN_ds_grid_destroy, Var(self, SLOT_grid));
}

// Leaving the room frees the instance without its Destroy event: the grid goes now.
void psl_Object_oExitControl_Other_5(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oExitControl_Other_5");
    Call(self, other, FN_ds_grid_destroy, Var(self, SLOT_grid));
}
