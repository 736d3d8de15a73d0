// oFlowerBossBlock: a flower floor tile. It draws itself, an end or one of two middles by its
// place under the great flower puff, and stays out of the level grids: it stops Mireth only from
// below, and a bounced seed breaks it.
#include <cmath>

#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oFlowerBossBlock_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlowerBossBlock_Create_0");
    Assign(Var(self, SLOT_hurtful), Value(0));
    Assign(Var(self, SLOT_dead), Value(0));
    SetBuiltinVar(self, VAR_image_speed, Value(0));
    double column = 0; // 0 to 15 from the row's left end
    With(self, other, oMegaFlowerfluff, [&](CInstance* beast, CInstance*) {
        column = Real(Div(BuiltinVar(self, VAR_x) - BuiltinVar(beast, VAR_x) + 8.0, Value(16))) + 7;
    });
    const double frame_index = column <= 0 ? 0 : column >= 15 ? 3 : 1 + std::fmod(column, 2);
    SetBuiltinVar(self, VAR_image_index, Value(frame_index));
}
