// oPresent: a present, known by its place ("got<x>_<y>_<room>"). The global of that name turns
// true once it is opened, and a present already opened is gone for good; every key seen is kept
// in present_list, which is saved with the game.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oPresent_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPresent_Create_0");
    event_inherited(self, other);
    frame.Line(2);
    Assign(Var(self, SLOT_hurtful), Value(0));
    Assign(Var(self, SLOT_talksound), Value(sndVoicePresent));
    const Value key = Value("got") + Call(self, other, FN_string, BuiltinVar(self, VAR_x)) + Value("_") +
                      Call(self, other, FN_string, BuiltinVar(self, VAR_y)) + Value("_") +
                      Call(self, other, FN_room_get_name, BuiltinVar(self, VAR_room));
    Assign(Var(self, SLOT_key), key);

    frame.Line(3);
    const bool known = bool(Call(self, other, FN_variable_global_exists, key));
    if (known && Call(self, other, FN_variable_global_get, key)) Call(self, other, FN_instance_destroy);
    const Value presents = Global(SLOT_present_list);
    if (Call(self, other, FN_ds_list_find_index, presents, key) < Value(0)) Call(self, other, FN_ds_list_add, presents, key);
    if (!known) Call(self, other, FN_variable_global_set, key, Value(0));
}
