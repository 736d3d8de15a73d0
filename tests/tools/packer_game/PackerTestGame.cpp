// The compiled side of tests/tools/packer_assets: the handlers its objects and rooms declare and
// two scripts, using game variables, a built-in variable and built-in functions by name. The
// first room makes a font of the packed sprite and ends the game with code 3 if it cannot.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oChar_Create_0(CInstance* self, CInstance*) {
    Assign(Var(self, SLOT_hp), Value(3));
}
void psl_Object_oChar_Step_0(CInstance* self, CInstance* other) {
    SetBuiltinVar(self, VAR_x, BuiltinVar(self, VAR_x) + Value(1));
    Call(self, other, FN_instance_destroy);
}
void psl_Object_oChar_Step_2(CInstance*, CInstance*) {}
void psl_Object_oChar_Collision_836adfce_d988_c95b_d9a6_fac65ba4336c(CInstance*, CInstance*) {}
void psl_Object_oChar_Other_12(CInstance*, CInstance*) {}
void psl_Object_oGhost_Alarm_3(CInstance*, CInstance*) {}
void psl_Object_oGhost_Draw_64(CInstance*, CInstance*) {}

RValue* psl_Script_hurt(CInstance* self, CInstance*, RValue* result, int argc, RValue** argv) {
    Var(self, SLOT_hp) -= Argument(argc, argv, 0);
    Assign(Var(self, SLOT_dead), Value(Var(self, SLOT_hp) <= Value(0)));
    return result;
}

void psl_Room_rmSmall_Create(CInstance* self, CInstance* other) {
    const Value font = Call(self, other, FN_font_add_sprite, Value(0), Value(32), Value(1), Value(1));
    if (font < Value(0)) Call(self, other, FN_game_end, Value(3));
}

RValue* psl_Script_grid_set(CInstance*, CInstance*, RValue* result, int, RValue**) {
    return result;
}
