// Event maps, inheritance of handlers and of collision handlers, the per-event lists, and
// dispatch with its room-change filter and nesting limit.
#include <gtest/gtest.h>

#include "Code/RuntimeError.h"
#include "Object/EventMap.h"
#include "Object/EventTrace.h"
#include "Object/InstanceLifecycle.h"
#include "Object/WorldFixture.h"
#include "Runner/GameApi.h"

namespace {

TEST(EventMapTest, FindsEveryKeyThroughGrowth) {
    EventMap map;
    CodeEntry code{};
    for (int32_t type = 0; type < 15; ++type)
        for (int32_t subtype = 0; subtype < 20; ++subtype) map.Insert(type, subtype, {&code, type * 100 + subtype});
    EXPECT_EQ(map.Count(), 300);
    for (int32_t type = 0; type < 15; ++type)
        for (int32_t subtype = 0; subtype < 20; ++subtype) {
            const ObjectEvent* event = map.Find(type, subtype);
            ASSERT_NE(event, nullptr) << type << " " << subtype;
            EXPECT_EQ(event->owner_index, type * 100 + subtype);
        }
    EXPECT_EQ(map.Find(15, 0), nullptr);
    EXPECT_EQ(map.Find(3, 20), nullptr);
    // Replacing keeps the count; a negative subtype's sign covers the type.
    map.Insert(3, 7, {&code, 1});
    EXPECT_EQ(map.Count(), 300);
    EXPECT_EQ(map.Find(3, 7)->owner_index, 1);
    map.Insert(2, -1, {&code, 2});
    EXPECT_EQ(map.Find(9, -1)->owner_index, 2);
    EXPECT_EQ(map.Find(9, 0x7FFFFFFF), nullptr);
}

void ParentStep(CInstance* self, CInstance* other) {
    EventTrace().push_back(TraceLine(self, "parent handler of " + std::to_string(CurrentEventState().object)));
    event_inherited(self, other);
}

void ChildStep(CInstance* self, CInstance* other) {
    EventTrace().push_back(TraceLine(self, "own handler"));
    event_inherited(self, other);
}

int32_t g_depth_reached = 0;

void Recurse(CInstance* self, CInstance* other) {
    ++g_depth_reached;
    event_perform(self, other, ev_other, ev_user0 + 1);
}

class EventDispatchTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        EventTrace().clear();
        g_depth_reached = 0;
    }
};

TEST_F(EventDispatchTest, InheritedHandlersRunWithTheirOwnersAsEventObject) {
    int32_t grand = AddObject("oGrand");
    int32_t parent = AddObject("oParent", grand);
    int32_t plain = AddObject("oPlain", parent);
    int32_t own = AddObject("oOwn", parent);
    AddEvent(grand, ev_step, ev_step_normal, Traced);
    AddEvent(parent, ev_step, ev_step_normal, ParentStep);
    AddEvent(own, ev_step, ev_step_normal, ChildStep);
    int32_t room = AddRoom("rmA");
    int32_t plain_id = AddInstance(room, plain);
    AddInstance(room, own);
    Start();
    RunFrames(1);
    EXPECT_EQ(EventTrace(), (std::vector<std::string>{
                                // oPlain has no handler: its parent's runs, which inherits oGrand's.
                                "oPlain 100001 parent handler of 1", "oPlain 100001 Step0",
                                "oOwn 100002 own handler", "oOwn 100002 parent handler of 1",
                                "oOwn 100002 Step0"}));
    // Every object with a handler, own or inherited, is listed, by ascending index.
    std::span<const int32_t> steps = Objects().EventList(ev_step, ev_step_normal);
    EXPECT_EQ(std::vector<int32_t>(steps.begin(), steps.end()), (std::vector<int32_t>{grand, parent, plain, own}));
    EXPECT_TRUE(Objects().EventList(ev_step, ev_step_begin).empty());

    EXPECT_EQ(CallNamed(nullptr, "object_is_ancestor", plain, grand), 1);
    EXPECT_EQ(CallNamed(nullptr, "object_is_ancestor", grand, plain), 0);
    EXPECT_EQ(CallNamed(nullptr, "object_is_ancestor", plain, plain), 0);
    EXPECT_EQ(CallNamed(nullptr, "object_is_ancestor", 99, grand), 0);
    // event_inherited outside an inheriting handler does nothing.
    EventTrace().clear();
    CurrentEventState() = {grand, ev_step, ev_step_normal};
    event_inherited(FindInstanceById(plain_id), nullptr);
    EXPECT_TRUE(EventTrace().empty());
}

TEST_F(EventDispatchTest, CollisionHandlersAgainstAParentAnswerItsDescendants) {
    int32_t base = AddObject("oBase");
    int32_t middle = AddObject("oMiddle", base);
    int32_t leaf = AddObject("oLeaf", middle);
    int32_t hunter = AddObject("oHunter");
    int32_t picky = AddObject("oPicky");
    AddEvent(hunter, ev_collision, base, Traced);
    AddEvent(picky, ev_collision, base, Traced);
    AddEvent(picky, ev_collision, middle, ChildStep);
    AddRoom("rmA");
    Start();
    const EventMap& hunts = Objects().Find(hunter)->events;
    for (int32_t target : {base, middle, leaf}) {
        ASSERT_TRUE(hunts.Contains(ev_collision, target)) << target;
        EXPECT_STREQ(hunts.Find(ev_collision, target)->code->name, "psl_Object_oHunter_Collision_0");
        EXPECT_EQ(hunts.Find(ev_collision, target)->owner_index, hunter);
    }
    // Its own handler against oMiddle wins for oMiddle, and the one against oBase covers oLeaf.
    const EventMap& picks = Objects().Find(picky)->events;
    EXPECT_STREQ(picks.Find(ev_collision, middle)->code->name, "psl_Object_oPicky_Collision_1");
    EXPECT_STREQ(picks.Find(ev_collision, leaf)->code->name, "psl_Object_oPicky_Collision_0");
}

TEST_F(EventDispatchTest, UserEventsByNumberAndTheNestingLimit) {
    int32_t object = AddObject("oThing");
    AddEvent(object, ev_other, ev_user0 + 3, Traced);
    AddEvent(object, ev_other, ev_user0 + 1, Recurse);
    int32_t id = AddInstance(AddRoom("rmA"), object);
    Start();
    CInstance* thing = FindInstanceById(id);
    event_user(thing, thing, 3);
    EXPECT_EQ(EventTrace(), std::vector<std::string>{"oThing 100001 Other13"});
    EXPECT_EQ(CallNamed(thing, "event_perform_object", object, ev_other, ev_user0 + 3), 0);
    EXPECT_EQ(EventTrace().size(), 2u);

    RuntimeErrorCapture errors;
    event_user(thing, thing, 1);
    EXPECT_EQ(g_depth_reached, MAX_EVENT_DEPTH);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"PerformEvent recursion depth failure - check for "
                                                          "infinite loops, check objects for parenting"});
    // The depth unwound: the next dispatch runs again.
    g_depth_reached = 0;
    event_user(thing, thing, 1);
    EXPECT_EQ(g_depth_reached, MAX_EVENT_DEPTH);
}

TEST_F(EventDispatchTest, APendingRoomChangeLetsOnlyWhatSurvivesItRun) {
    int32_t plain = AddObject("oPlain");
    int32_t keeper = AddObject("oKeeper", -1, true);
    for (int32_t object : {plain, keeper}) {
        AddEvent(object, ev_other, ev_user0, Traced);
        AddEvent(object, ev_alarm, 0, Traced);
        AddEvent(object, ev_step, ev_step_normal, Traced);
    }
    int32_t room = AddRoom("rmA");
    AddRoom("rmB");
    CInstance* instances[2];
    int32_t ids[2] = {AddInstance(room, plain), AddInstance(room, keeper)};
    Start();
    for (int i = 0; i < 2; ++i) instances[i] = FindInstanceById(ids[i]);
    Runner().pending_room = 1;
    for (CInstance* instance : instances) {
        event_user(instance, instance, 0);
        event_perform(instance, instance, ev_alarm, 0);
        event_perform(instance, instance, ev_step, ev_step_normal);
    }
    EXPECT_EQ(EventTrace(), (std::vector<std::string>{"oKeeper 100002 Other10", "oKeeper 100002 Alarm0"}));
}

TEST_F(EventDispatchTest, AnEventForAllRunsInTheRoomsOrderAndSkipsTheDestroyed) {
    int32_t deep = AddObject("oDeep", -1, false, 10);
    int32_t shallow = AddObject("oShallow", -1, false, -10);
    AddEvent(deep, ev_other, ev_user0, Traced);
    AddEvent(shallow, ev_other, ev_user0, Traced);
    int32_t room = AddRoom("rmA");
    int32_t doomed = AddInstance(room, deep);
    AddInstance(room, deep);
    AddInstance(room, shallow);
    Start();
    CallNamed(nullptr, "instance_destroy", doomed);
    PerformEventAll(ev_other, ev_user0);
    EXPECT_EQ(EventTrace(), (std::vector<std::string>{"oShallow 100003 Other10", "oDeep 100002 Other10"}));
}

} // namespace
