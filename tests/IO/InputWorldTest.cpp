// Keyboard, mouse and gamepads through a running world, as scripts and their events see them.
#include <string>
#include <vector>

#include "Code/ValueArray.h"
#include "Code/ValueText.h"
#include "IO/GamepadConstants.h"
#include "IO/GamepadLayer.h"
#include "IO/InputConstants.h"
#include "IO/InputReplay.h"
#include "IO/InputState.h"
#include "Object/AsyncEvents.h"
#include "Object/WorldFixture.h"
#include "Platform/null/NullGamepads.h"
#include "Support/CDS_Map.h"
#include "Support/DsState.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

std::vector<std::string> g_trace;

void Note(const char* what) { g_trace.emplace_back(what); }

double ReadVariable(const char* name) {
    const BuiltinVariable* variable = BuiltinVariables().At(FindBuiltinVariable(name));
    ScopedRValue value;
    if (variable) variable->getter(nullptr, ARRAY_INDEX_NONE, &value);
    return value.Kind() == VALUE_REAL ? value.val : -1;
}

std::string MapEntry(int32_t map, const char* key) {
    ScopedRValue name;
    MakeString(name, key);
    const RValue* value = DsMaps().Find(map) ? DsMaps().Find(map)->Find(name) : nullptr;
    return value ? ValueText(*value) : "?";
}

void NoteSystemEvent(CInstance*, CInstance*) {
    const int32_t map = int32_t(ReadVariable("async_load"));
    g_trace.push_back(MapEntry(map, "event_type") + " " + MapEntry(map, "pad_index"));
}

class InputWorldTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        RunnerInput() = InputState{};
        StartGamepads(pads_, GamepadTable::kAllSlots, "");
        g_trace.clear();
    }
    void TearDown() override {
        RunnerReplay().Stop();
        RunnerInput() = InputState{};
        StopGamepads();
        ClearAsyncEvents();
        WorldFixture::TearDown();
    }
    // One frame; the trace holds what its handlers noted.
    std::vector<std::string> Frame() {
        g_trace.clear();
        RunFrames(1);
        return g_trace;
    }

    NullGamepads pads_;
};

using Trace = std::vector<std::string>;

TEST_F(InputWorldTest, KeyEventsRunInTheirStageFromTheStepsSnapshot) {
    int32_t listener = AddObject("oListener");
    AddEvent(listener, ev_keypress, vk_space, [](CInstance*, CInstance*) { Note("press space"); });
    AddEvent(listener, ev_keyboard, 'A', [](CInstance*, CInstance*) { Note("hold A"); });
    AddEvent(listener, ev_keyrelease, 'A', [](CInstance*, CInstance*) { Note("release A"); });
    AddEvent(listener, ev_keyboard, vk_nokey, [](CInstance*, CInstance*) { Note("no key"); });
    AddEvent(listener, ev_keypress, vk_anykey, [](CInstance*, CInstance*) { Note("any press"); });
    AddEvent(listener, ev_step, ev_step_begin, [](CInstance* self, CInstance*) {
        if (CallNamed(self, "keyboard_check_pressed", vk_space)) Note("begin step sees space");
    });
    AddEvent(listener, ev_step, ev_step_normal, [](CInstance*, CInstance*) { Note("step"); });
    int32_t room = AddRoom("rmKeys");
    AddInstance(room, listener);
    Start();

    EXPECT_EQ(Frame(), (Trace{"no key", "step"}));
    window_.PostKey(vk_space, true);
    window_.PostKey('A', true);
    // The posted keys reach the state at the end of this frame's turn, in its message pump.
    loop_.PumpMessages();
    EXPECT_EQ(Frame(),
              (Trace{"begin step sees space", "hold A", "any press", "press space", "step"}));
    window_.PostKey('A', true, true);
    loop_.PumpMessages();
    EXPECT_EQ(Frame(), (Trace{"hold A", "step"})) << "an auto-repeat presses nothing";
    window_.PostKey('A', false);
    window_.PostKey(vk_space, false);
    loop_.PumpMessages();
    EXPECT_EQ(Frame(), (Trace{"no key", "release A", "step"}));
}

TEST_F(InputWorldTest, MessageBoxAndFocusLossClearTheKeys) {
    static bool show = false;
    int32_t reader = AddObject("oReader");
    AddEvent(reader, ev_step, ev_step_normal, [](CInstance* self, CInstance*) {
        if (show) CallNamed(self, "show_message", "Merry Snowtide!");
        Note(CallNamed(self, "keyboard_check", 'D') ? "D held" : "D up");
        Note(CallNamed(self, "mouse_check_button", mb_left) ? "left held" : "left up");
    });
    int32_t room = AddRoom("rmMessage");
    AddInstance(room, reader);
    Start();

    window_.PostKey('D', true);
    window_.PostMouseButton(0, true);
    loop_.PumpMessages();
    EXPECT_EQ(Frame(), (Trace{"D held", "left held"}));
    show = true;
    EXPECT_EQ(Frame(), (Trace{"D up", "left up"})) << "cleared as the box closed";
    show = false;
    EXPECT_EQ(Frame(), (Trace{"D up", "left up"})) << "and no key-down came since";

    window_.PostKey('D', true);
    loop_.PumpMessages();
    EXPECT_EQ(Frame(), (Trace{"D held", "left up"}));
    window_.PostFocusLost();
    loop_.PumpMessages();
    EXPECT_EQ(Frame(), (Trace{"D up", "left up"}));
}

TEST_F(InputWorldTest, MouseThroughTheRoomsView) {
    static int presses = 0;
    int32_t button = AddObject("oButton", -1, false, 0, AddSprite("sButton", {"####", "####"}));
    AddEvent(button, ev_mouse, ev_left_press, [](CInstance*, CInstance*) { ++presses; });
    AddEvent(button, ev_mouse, ev_global_left_release,
             [](CInstance*, CInstance*) { Note("released"); });
    int32_t room = AddRoom("rmView");
    package_.rooms[size_t(room)]->width = 2000;
    package_.rooms[size_t(room)]->height = 1000;
    package_.rooms[size_t(room)]->views_enabled = true;
    // The view shows 320x180 of the room from (500, 200) in a port twice that size.
    package_.rooms[size_t(room)]->views.push_back(
        {1, 500, 200, 320, 180, 0, 0, 640, 360, 32, 32, -1, -1, -1});
    AddInstance(room, button, 660, 290);
    Start();
    std::string error;
    window_.Open(640, 360, "", error);

    window_.PostMouseMove(320, 180);
    loop_.PumpMessages();
    Frame();
    EXPECT_EQ(ReadVariable("mouse_x"), 660);
    EXPECT_EQ(ReadVariable("mouse_y"), 290);

    window_.PostMouseButton(0, true);
    loop_.PumpMessages();
    Frame();
    EXPECT_EQ(presses, 1) << "pressed over the instance";
    window_.PostMouseMove(0, 0);
    window_.PostMouseButton(0, false);
    window_.PostMouseButton(0, true);
    loop_.PumpMessages();
    EXPECT_EQ(Frame(), Trace{"released"});
    EXPECT_EQ(presses, 1) << "pressed away from it";
    EXPECT_EQ(ReadVariable("mouse_x"), 500);
    EXPECT_EQ(ReadVariable("mouse_button"), mb_left);
}

TEST_F(InputWorldTest, GamepadConnectionEventsAndButtonsThroughTheFrame) {
    int32_t listener = AddObject("oListener");
    AddEvent(listener, ev_other, ev_system_event, NoteSystemEvent);
    AddEvent(listener, ev_step, ev_step_begin, [](CInstance* self, CInstance*) {
        if (CallNamed(self, "gamepad_button_check_pressed", 0, gp_face1)) Note("begin step sees A");
    });
    AddInstance(AddRoom("rmPads"), listener);
    int32_t early = pads_.AttachStandard();
    Start();

    EXPECT_EQ(Frame(), (Trace{"gamepad discovered 0"}))
        << "a device present at start is discovered";
    int32_t stick = pads_.AttachRaw(8, 2, 1);
    pads_.Report(early).buttons[STANDARD_A] = 1;
    EXPECT_EQ(Frame(), (Trace{"begin step sees A", "gamepad discovered 4"}));
    pads_.Detach(early);
    pads_.Detach(stick);
    EXPECT_EQ(Frame(), (Trace{"gamepad lost 0", "gamepad lost 4"}));
    EXPECT_EQ(Frame(), Trace{});
    EXPECT_EQ(MapEntry(0, "event_type"), "?") << "each event's map is gone after it";
}

} // namespace
