// screen_exit(): the exit record of the screen the calling instance is on ([room, screen column,
// screen row, axis]), or -1 when the room has no exits or this screen none.
#include "CodeTable.h"
#include "GameNames.h"

RValue* psl_Script_screen_exit(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_screen_exit", result);
    Assign(*result, Value(-1));
    if (!Call(self, other, FN_instance_exists, Value(oExitControl))) return result;
    frame.Line(2);
    const Value width = Global(SLOT_view_width);
    const Value height = Global(SLOT_view_height);
    const Value columns = Div(BuiltinVar(self, VAR_room_width), width);
    const Value rows = Div(BuiltinVar(self, VAR_room_height), height);
    const Value cx = Call(self, other, FN_clamp, Div(BuiltinVar(self, VAR_x), width), Value(0), columns - 1.0);
    const Value cy = Call(self, other, FN_clamp, Div(BuiltinVar(self, VAR_y), height), Value(0), rows - 1.0);
    frame.Line(3);
    const Value grid = VarOf(oExitControl, SLOT_grid);
    Assign(*result, CallScript(psl_Script_grid_get, self, other, grid, cx, cy, Value(-1)));
    return result;
}
