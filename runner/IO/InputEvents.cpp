#include "IO/InputEvents.h"

#include "Code/GameConstants.h"
#include "IO/InputState.h"
#include "Object/CollisionTest.h"
#include "Object/EventDispatch.h"
#include "Object/EventPass.h"

namespace {

using KeyCheck = bool (KeyboardState::*)(int32_t) const;
using ButtonCheck = bool (MouseState::*)(int32_t) const;

bool RoomChangePending() { return Runner().pending_room != PENDING_NONE; }

// Codes 0 and 1 are the "no key" and "any key" events, checked as the built-ins check them.
bool RunKeyEvents(int32_t type, KeyCheck check) {
    const KeyboardState& keyboard = RunnerInput().keyboard;
    for (int32_t key = 0; key < KEY_CODE_COUNT; ++key) {
        if (Objects().EventList(type, key).empty() || !(keyboard.*check)(key)) continue;
        RunEventPass(type, key);
        if (RoomChangePending()) return false;
    }
    return true;
}

// Subtypes 0 to 9: left, right, middle held; no button; presses; releases.
struct PointerEvent {
    int32_t subtype;
    ButtonCheck check;
    int32_t button;
};
constexpr PointerEvent kPointerEvents[] = {
    {ev_left_button, &MouseState::Held, 1},      {ev_right_button, &MouseState::Held, 2},
    {ev_middle_button, &MouseState::Held, 3},    {ev_no_button, &MouseState::Held, MB_NONE},
    {ev_left_press, &MouseState::Pressed, 1},    {ev_right_press, &MouseState::Pressed, 2},
    {ev_middle_press, &MouseState::Pressed, 3},  {ev_left_release, &MouseState::Released, 1},
    {ev_right_release, &MouseState::Released, 2}, {ev_middle_release, &MouseState::Released, 3},
};
constexpr PointerEvent kGlobalEvents[] = {
    {ev_global_left_button, &MouseState::Held, 1},
    {ev_global_right_button, &MouseState::Held, 2},
    {ev_global_middle_button, &MouseState::Held, 3},
    {ev_global_left_press, &MouseState::Pressed, 1},
    {ev_global_right_press, &MouseState::Pressed, 2},
    {ev_global_middle_press, &MouseState::Pressed, 3},
    {ev_global_left_release, &MouseState::Released, 1},
    {ev_global_right_release, &MouseState::Released, 2},
    {ev_global_middle_release, &MouseState::Released, 3},
};

bool RunMouseEvents() {
    const MouseState& mouse = RunnerInput().mouse;
    const PointF at = MouseInRoom();
    for (const PointerEvent& event : kPointerEvents) {
        if (!(mouse.*event.check)(event.button)) continue;
        ForEachListedInstance(ev_mouse, event.subtype, [&](const CObject&, CInstance* instance) {
            if (InstanceMeetsRectangle(*instance, at.x, at.y, at.x, at.y, true))
                PerformEvent(instance, instance, ev_mouse, event.subtype);
        });
        if (RoomChangePending()) return false;
    }
    for (const PointerEvent& event : kGlobalEvents) {
        if (!(mouse.*event.check)(event.button)) continue;
        RunEventPass(ev_mouse, event.subtype);
        if (RoomChangePending()) return false;
    }
    if (mouse.Current().wheel_up) RunEventPass(ev_mouse, ev_mouse_wheel_up);
    if (RoomChangePending()) return false;
    if (mouse.Current().wheel_down) RunEventPass(ev_mouse, ev_mouse_wheel_down);
    return true;
}

} // namespace

void RunKeyboardAndMouseEvents() {
    if (!RunKeyEvents(ev_keyboard, &KeyboardState::Held)) return;
    if (!RunKeyEvents(ev_keypress, &KeyboardState::Pressed)) return;
    if (!RunKeyEvents(ev_keyrelease, &KeyboardState::Released)) return;
    RunMouseEvents();
}
