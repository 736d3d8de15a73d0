// oBossBlock: a wall of a boss arena. Unlike the level's blocks it stays out of the level grids
// and draws itself: unseen and open until a fight starts, then seen and solid until it ends.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oBossBlock_Create_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oBossBlock_Create_0");
    SetBuiltinVar(self, VAR_visible, Value(0));
    SetBuiltinVar(self, VAR_solid, Value(0));
}
