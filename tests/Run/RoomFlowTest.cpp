// Rooms in their order of work; the whole run is compared with a hand-checked trace
// (data/room_flow_trace.txt).
#include <gtest/gtest.h>
#include <sstream>

#include "Code/RuntimeError.h"
#include "Object/EventTrace.h"
#include "Object/InstanceLifecycle.h"
#include "Object/WorldFixture.h"
#include "TestFiles.h"

namespace {

int32_t g_room_b = -1;
int g_player_steps = 0;
int32_t g_companion = -1;

void RoomCreation(CInstance* self, CInstance*) {
    const CurrentEvent& event = CurrentEventState();
    EventTrace().push_back("room " + std::to_string(Runner().current_room) + " creation " +
                           std::to_string(event.object) + " " + std::to_string(event.type) + " " +
                           std::to_string(event.number) + (self && self->id == 0 ? " temporary" : ""));
}

// The player's steps: stay, then next, next, back to the persistent room, next, next.
void PlayerStep(CInstance* self, CInstance* other) {
    Traced(self, other);
    if (self->id == g_companion) return; // it only follows
    switch (++g_player_steps) {
    case 2:
    case 3:
    case 5:
    case 6: CallNamed(self, "room_goto_next"); break;
    case 4: CallNamed(self, "room_goto", g_room_b); break;
    default: break;
    }
}

// The first time: a second player in front of the first, then the room once more.
void CompanionAndRestart(CInstance* self, CInstance*) {
    if (g_companion >= 0) return;
    g_companion = CreateInstance(0, 0, -1, self->object_index)->id;
    CallNamed(self, "room_restart");
}

void InstanceCreationCode(CInstance* self, CInstance*) { EventTrace().push_back(TraceLine(self, "code")); }

class RoomFlowTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        EventTrace().clear();
        g_player_steps = 0;
        g_companion = -1;
    }
};

TEST_F(RoomFlowTest, RoomsStartAndEndInTheirOrderWithPersistentInstancesAndRooms) {
    int32_t player = AddObject("oPlayer", -1, true);
    int32_t thing = AddObject("oThing");
    for (int32_t object : {player, thing})
        for (int32_t subtype : {ev_game_start, ev_game_end, ev_room_start, ev_room_end})
            AddEvent(object, ev_other, subtype, Traced);
    AddEvent(player, ev_create, 0, Traced);
    AddEvent(thing, ev_create, 0, Traced);
    AddEvent(player, ev_step, ev_step_normal, PlayerStep);
    AddEvent(player, ev_step, ev_step_end, CompanionAndRestart);
    AddEvent(thing, ev_step, ev_step_normal, Traced);
    int32_t room_a = AddRoom("rmA", false, RoomCreation);
    g_room_b = AddRoom("rmB", true, RoomCreation);
    int32_t room_c = AddRoom("rmC");
    AddInstance(room_a, player, 0, 0, InstanceCreationCode); // 100001
    AddInstance(room_a, thing, 0, 0, InstanceCreationCode);  // 100002
    AddInstance(g_room_b, thing);  // 100003
    AddInstance(room_c, thing);    // 100004
    RuntimeErrorCapture errors;
    Start();
    CInstance* held = FindInstanceById(100001);
    held->x = FindInstanceById(100002)->x = 99;
    RunFrames(1);
    // Restarted: the thing is made anew from the record; the persistent player, held, takes
    // the place of the record's instance, ahead of the thing, and keeps its state.
    EXPECT_EQ(FindInstanceById(100002)->x, 0);
    EXPECT_EQ(FindInstanceById(100001), held);
    EXPECT_EQ(held->x, 99);
    EXPECT_FALSE(held->Has(INSTANCE_FLAG_SKIP_CREATION));
    std::vector<int32_t> room_list;
    for (const CInstance* instance : CurrentRoom()->active.View())
        room_list.push_back(instance->id);
    EXPECT_EQ(room_list, (std::vector<int32_t>{100005, 100001, 100002}));
    // The persistent room keeps its instance's state, out of reach while the game is elsewhere.
    RunFrames(1);
    ASSERT_EQ(Runner().current_room, g_room_b);
    FindInstanceById(100003)->image_angle = 45;
    RunFrames(1);
    EXPECT_EQ(FindInstanceById(100003), nullptr);
    EXPECT_EQ(CallNamed(nullptr, "instance_number", thing), 1); // rmC's own
    RunFrames(1);
    ASSERT_EQ(Runner().current_room, g_room_b);
    EXPECT_EQ(FindInstanceById(100003)->image_angle, 45);
    RunFrames(8);

    EXPECT_FALSE(Runner().running);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Moving to next room after the last room."});
    EndGame();
    std::vector<std::string> expected;
    std::istringstream trace(ReadText(TEST_SOURCE_DIR "/Run/data/room_flow_trace.txt"));
    for (std::string line; std::getline(trace, line);)
        if (!line.empty() && line[0] != '#') expected.push_back(line);
    EXPECT_EQ(EventTrace(), expected);
}

TEST_F(RoomFlowTest, AStretchedInstanceOfTheRoomHasItsStretchedBox) {
    const int32_t sprite = AddSprite("sCell", {"##", "##"});
    const int32_t block = AddObject("oBlock", -1, false, 0, sprite);
    const int32_t room = AddRoom("rmA");
    AddInstance(room, block, 10, 20);
    package_.rooms[size_t(room)]->instances.back().scale_x = 5;
    package_.rooms[size_t(room)]->instances.back().scale_y = 2;
    Start();
    EXPECT_EQ(CallNamed(nullptr, "collision_rectangle", 18, 22, 19, 23, block, 0, 0), 100001);
    EXPECT_EQ(CallNamed(nullptr, "collision_rectangle", 20, 22, 21, 23, block, 0, 0), -4);
}

void GotoMissing(CInstance* self, CInstance*) { CallNamed(self, "room_goto", 7); }

TEST_F(RoomFlowTest, MissingRoomsEndTheGameAndTheRoomOrderIsSearchedFromItsEnds) {
    int32_t thing = AddObject("oThing");
    AddEvent(thing, ev_step, ev_step_normal, GotoMissing);
    AddRoom("rmA");
    AddRoom("rmB");
    AddInstance(AddRoom("rmC"), thing);
    package_.header.room_order = {2, 0, 1};
    RuntimeErrorCapture errors;
    Start();
    RunFrames(3);
    EXPECT_FALSE(Runner().running);
    EXPECT_EQ(Runner().pending_room, PENDING_ABORT_GAME);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Unexisting room number: 7"});
    errors.Clear();

    ASSERT_EQ(Runner().current_room, 2);
    EXPECT_EQ(std::pair(NextRoomInOrder(), PreviousRoomInOrder()), std::pair(0, -1));
    CallNamed(nullptr, "room_goto_previous");
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{"Moving to previous room before the first room."});
    Runner().current_room = 1;
    EXPECT_EQ(std::pair(NextRoomInOrder(), PreviousRoomInOrder()), std::pair(-1, 0));
}

} // namespace
