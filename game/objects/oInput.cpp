// oInput: the one owner of the input actions, their bindings and their per-frame counters.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputBinding.h"
#include "scripts/InputDevices.h"

namespace {

constexpr int32_t kMaps[] = {SLOT_actions, SLOT_gpad_map, SLOT_held_time_map, SLOT_previous_axis_map,
                             SLOT_previous_hat_map};

} // namespace

void psl_Object_oInput_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oInput_Create_0");
    for (int32_t slot : kMaps) Assign(Var(self, slot), Call(self, other, FN_ds_map_create));
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

// A wiped save starts the game over with an input controller of its own: this one's maps and
// lists go with it.
void psl_Object_oInput_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oInput_Destroy_0");
    const Value actions = Var(self, SLOT_action_list);
    const double count = Real(Call(self, other, FN_ds_list_size, actions));
    for (double a = 0; a < count; ++a)
        ClearBindings(self, other,
                      Call(self, other, FN_ds_map_find_value, Var(self, SLOT_actions),
                           Call(self, other, FN_ds_list_find_value, actions, Value(a))));
    // The actions' lists belong to their map and go with it.
    for (int32_t slot : kMaps) Call(self, other, FN_ds_map_destroy, Var(self, slot));
    Call(self, other, FN_ds_list_destroy, actions);
}

// Begin Step: how long each action has been held, counted before the Step events read it, so an
// action pressed this frame already reads 1.
void psl_Object_oInput_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oInput_Step_1");
    const Value actions = Var(self, SLOT_action_list);
    const Value held_time_map = Var(self, SLOT_held_time_map);
    for (double i = 0; i < Real(Call(self, other, FN_ds_list_size, actions)); ++i) {
        const Value action = Call(self, other, FN_ds_list_find_value, actions, Value(i));
        const Value key = Call(self, other, FN_string, action);
        const Value held = CallScript(psl_Script_input_held, self, other, action);
        const Value time =
            held ? Call(self, other, FN_ds_map_find_value, held_time_map, key) + 1 : Value(0);
        Call(self, other, FN_ds_map_set, held_time_map, key, time);
    }
}

// End Step: every connected device's sticks and hats as they are now, for next frame's edges.
void psl_Object_oInput_Step_2(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oInput_Step_2");
    using namespace input_devices;
    ForConnectedPads(self, other, -1, [&](const Value& device) {
        for (int axis : kAxes)
            Call(self, other, FN_ds_map_set, Var(self, SLOT_previous_axis_map),
                 PadKey(self, other, device, Value(axis)),
                 Call(self, other, FN_gamepad_axis_value, device, Value(axis)));
        const double hats = Real(Call(self, other, FN_gamepad_hat_count, device));
        for (double hat = 0; hat < hats; ++hat)
            Call(self, other, FN_ds_map_set, Var(self, SLOT_previous_hat_map),
                 PadKey(self, other, device, Value(hat)),
                 Call(self, other, FN_gamepad_hat_value, device, Value(hat)));
        return false;
    });
}
