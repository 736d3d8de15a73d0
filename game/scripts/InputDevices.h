// The gamepad side of the input actions: walking the connected devices, and the stick and hat
// values that oInput remembers from the end of the previous frame for the edge tests.
#pragma once

#include "CodeTable.h"
#include "GameNames.h"

namespace input_devices {

// The sticks' axes, in the order they are remembered and captured.
inline constexpr int kAxes[] = {gp_axislh, gp_axisrh, gp_axislv, gp_axisrv};

// Calls visit(device) for each connected device in order (only device `pad` unless it is -1);
// stops at the first visit that returns true and returns true then.
template <typename Visit>
bool ForConnectedPads(CInstance* self, CInstance* other, double pad, Visit visit) {
    const double count = Real(Call(self, other, FN_gamepad_get_device_count));
    for (double d = 0; d < count; ++d) {
        const Value device(d);
        if (pad != -1 && d != pad) continue;
        if (!Call(self, other, FN_gamepad_is_connected, device)) continue;
        if (visit(device)) return true;
    }
    return false;
}

// Whether any connected gamepad pressed the button this frame (Start in the menus).
inline bool AnyPadPressed(CInstance* self, CInstance* other, int button) {
    return ForConnectedPads(self, other, -1, [&](const Value& device) {
        return bool(Call(self, other, FN_gamepad_button_check_pressed, device, Value(button)));
    });
}

// "device:index", the key of a device's axis or hat in previous_axis_map and previous_hat_map.
inline Value PadKey(CInstance* self, CInstance* other, const RValue& device, const RValue& index) {
    return Call(self, other, FN_string, device) + Value(":") + Call(self, other, FN_string, index);
}

// What oInput (`input`) remembered of a device's axis or hat in the map at `map_slot`; 0 before
// the device was ever seen, so a stick already pushed when it connects reads as a fresh push.
inline double Previous(CInstance* input, CInstance* other, int32_t map_slot, const RValue& device,
                       const RValue& index) {
    const Value stored = Call(input, other, FN_ds_map_find_value, Var(input, map_slot),
                              PadKey(input, other, device, index));
    return Call(input, other, FN_is_undefined, stored) ? 0 : Real(stored);
}

} // namespace input_devices
