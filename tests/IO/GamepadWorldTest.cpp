// Gamepads in a running world: the step's update in the input stage, and the "gamepad
// discovered" and "gamepad lost" system events in the asynchronous stage, with their map in
// async_load.
#include <string>
#include <vector>

#include "Code/ValueArray.h"
#include "Code/ValueText.h"
#include "IO/GamepadConstants.h"
#include "IO/GamepadLayer.h"
#include "IO/InputReplay.h"
#include "IO/InputState.h"
#include "Object/AsyncEvents.h"
#include "Object/WorldFixture.h"
#include "Platform/null/NullGamepads.h"
#include "Support/CDS_Map.h"
#include "Support/DsState.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

std::vector<std::string> g_seen;

std::string MapEntry(int32_t map, const char* key) {
    ScopedRValue name;
    MakeString(name, key);
    const RValue* value = DsMaps().Find(map) ? DsMaps().Find(map)->Find(name) : nullptr;
    return value ? ValueText(*value) : "?";
}

void NoteSystemEvent(CInstance*, CInstance*) {
    ScopedRValue load;
    BuiltinVariables()
        .At(FindBuiltinVariable("async_load"))
        ->getter(nullptr, ARRAY_INDEX_NONE, &load);
    int32_t map = int32_t(load.val);
    g_seen.push_back(MapEntry(map, "event_type") + " " + MapEntry(map, "pad_index"));
}

class GamepadWorldTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        RunnerInput() = InputState{};
        StartGamepads(pads_, GamepadTable::kAllSlots, "");
        g_seen.clear();
    }
    void TearDown() override {
        StopGamepads();
        ClearAsyncEvents();
        WorldFixture::TearDown();
    }
    std::vector<std::string> Frame() {
        g_seen.clear();
        RunFrames(1);
        return g_seen;
    }

    NullGamepads pads_;
};

using Seen = std::vector<std::string>;

TEST_F(GamepadWorldTest, ConnectionEventsAndButtonsThroughTheFrame) {
    int32_t listener = AddObject("oListener");
    AddEvent(listener, ev_other, ev_system_event, NoteSystemEvent);
    AddEvent(listener, ev_step, ev_step_begin, [](CInstance* self, CInstance*) {
        if (CallNamed(self, "gamepad_button_check_pressed", 0, gp_face1))
            g_seen.push_back("begin step sees A");
    });
    AddInstance(AddRoom("rmPads"), listener);
    int32_t early = pads_.AttachStandard();
    Start();

    EXPECT_EQ(Frame(), (Seen{"gamepad discovered 0"})) << "a device present at start is discovered";
    int32_t stick = pads_.AttachRaw(8, 2, 1);
    pads_.Report(early).buttons[STANDARD_A] = 1;
    EXPECT_EQ(Frame(), (Seen{"begin step sees A", "gamepad discovered 4"}));
    pads_.Detach(early);
    pads_.Detach(stick);
    EXPECT_EQ(Frame(), (Seen{"gamepad lost 0", "gamepad lost 4"}));
    EXPECT_EQ(Frame(), Seen{});
    EXPECT_EQ(MapEntry(0, "event_type"), "?") << "each event's map is gone after it";
}

} // namespace
