// oInput: the one owner of the input actions, their bindings and their per-frame counters.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oInput_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oInput_Create_0");
    for (int32_t slot : {SLOT_actions, SLOT_gpad_map, SLOT_held_time_map, SLOT_previous_axis_map, SLOT_previous_hat_map})
        Assign(Var(self, slot), Call(self, other, FN_ds_map_create));
    Assign(Var(self, SLOT_action_list), Call(self, other, FN_ds_list_create));

    frame.Line(2);
    // The previous stick and hat values exist before the first read.
    event_perform(self, other, ev_step, ev_step_end);

    frame.Line(3);
    Assign(Var(self, SLOT_multiplayer), Value(0));
    Assign(Var(self, SLOT_gpid), Value(0));

    frame.Line(4);
    for (int action = 0; action <= 5; ++action)
        CallScript(psl_Script_input_define_action, self, other, Value(action));

    frame.Line(5);
    if (!Call(self, other, FN_file_exists, Global(SLOT_options_save_file)))
        for (int action = 0; action <= 5; ++action)
            CallScript(psl_Script_input_default_bindings, self, other, Value(action));

    frame.Line(6);
    const Value speed = BuiltinVar(self, VAR_room_speed);
    Assign(Global(SLOT_key_repeat_speed), Div(speed, Value(10)));
    Assign(Global(SLOT_key_repeat_delay), Div(speed, Value(3)));
}
