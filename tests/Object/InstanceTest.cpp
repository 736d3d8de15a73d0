// Objects and their instances: event maps, inheritance, dispatch and the instance lifecycle.
#include <gtest/gtest.h>

#include <cmath>

#include "Code/RuntimeError.h"
#include "Object/EventMap.h"
#include "Object/EventTrace.h"
#include "Object/InstanceIdMap.h"
#include "Object/InstanceLifecycle.h"
#include "Object/WorldFixture.h"
#include "Runner/GameApi.h"

namespace {

using Trace = std::vector<std::string>;

TEST(EventMapTest, FindsEveryKeyThroughGrowth) {
    EventMap map;
    CodeEntry code{};
    for (int32_t type = 0; type < 15; ++type)
        for (int32_t subtype = 0; subtype < 20; ++subtype)
            map.Insert(type, subtype, {&code, type * 100 + subtype});
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

TEST(InstanceIdMapTest, FindsEveryIdThroughGrowthAndShrinking) {
    std::vector<CInstance*> instances(20'000);
    for (size_t i = 0; i < instances.size(); ++i) instances[i] = reinterpret_cast<CInstance*>(0x1000 + 16 * i);
    InstanceIdMap map;
    for (int32_t id = 0; id < 20'000; ++id) map.Set(100'000 + id, instances[size_t(id)]);
    // Keep every 97th: far under an eighth full, scattered over the grown table.
    for (int32_t id = 0; id < 20'000; ++id)
        if (id % 97 != 0) map.Erase(100'000 + id);
    map.ShrinkWhenSparse();
    map.Set(7, instances[1]);
    for (int32_t id = 0; id < 20'000; ++id)
        ASSERT_EQ(map.Find(100'000 + id), id % 97 == 0 ? instances[size_t(id)] : nullptr) << id;
    EXPECT_EQ(map.Find(7), instances[1]);
}

int32_t g_object = -1;
int32_t g_made = 0;
int32_t g_depth_reached = 0;

void MakeOneMore(CInstance* self, CInstance* other) {
    Traced(self, other);
    if (g_made++ == 0) CallNamed(self, "instance_create_depth", 0, 0, 0, g_object);
}

void MakeInCreate(CInstance* self, CInstance* other) {
    Traced(self, other);
    if (self->id == 100001) CallNamed(self, "instance_create", 0, 0, g_object);
}

void DestroyMyself(CInstance* self, CInstance* other) {
    Traced(self, other);
    CallNamed(self, "instance_destroy");
    CallNamed(self, "instance_destroy", self->id);
    const int exists = int(CallNamed(self, "instance_exists", self->id));
    EventTrace().push_back(TraceLine(self, "exists " + std::to_string(exists)));
}

void SetAlarms(CInstance* self, CInstance*) {
    SetBuiltin(self, "alarm", 3, 0);
    SetBuiltin(self, "alarm", 0, 1);
}

void ParentStep(CInstance* self, CInstance* other) {
    const std::string owner = std::to_string(CurrentEventState().object);
    EventTrace().push_back(TraceLine(self, "parent handler of " + owner));
    event_inherited(self, other);
}

void ChildStep(CInstance* self, CInstance* other) {
    EventTrace().push_back(TraceLine(self, "own handler"));
    event_inherited(self, other);
}

void Recurse(CInstance* self, CInstance* other) {
    ++g_depth_reached;
    event_perform(self, other, ev_other, ev_user0 + 1);
}

class InstanceTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        EventTrace().clear();
        g_made = g_depth_reached = 0;
    }
};

TEST_F(InstanceTest, CreateRunsANewInstancesEventsInsideButAStepOnlyMakesItForTheNextPass) {
    g_object = AddObject("oMaker");
    AddEvent(g_object, ev_pre_create, 0, Traced);
    AddEvent(g_object, ev_create, 0, MakeInCreate);
    AddEvent(g_object, ev_step, ev_step_normal, MakeOneMore);
    AddInstance(AddRoom("rmA"), g_object);
    Start();
    EXPECT_TRUE(FindInstanceById(100002)->Has(INSTANCE_FLAG_CREATED));
    RunFrames(2);
    EXPECT_EQ(EventTrace(), (Trace{"oMaker 100001 PreCreate0", "oMaker 100001 Create0",
                                   "oMaker 100002 PreCreate0", "oMaker 100002 Create0",
                                   "oMaker 100001 Step0", "oMaker 100003 PreCreate0",
                                   "oMaker 100003 Create0", "oMaker 100002 Step0",
                                   "oMaker 100001 Step0", "oMaker 100002 Step0",
                                   "oMaker 100003 Step0"}));
}

TEST_F(InstanceTest, DestroyedInstancesFinishTheirHandlerAndGoAtTheNextRemovalPoint) {
    int32_t object = AddObject("oDoomed");
    AddEvent(object, ev_step, ev_step_normal, DestroyMyself);
    AddEvent(object, ev_step, ev_step_end, Traced);
    AddEvent(object, ev_destroy, 0, Traced);
    AddEvent(object, ev_cleanup, 0, Traced);
    int32_t id = AddInstance(AddRoom("rmA"), object);
    Start();
    RunFrames(1);
    EXPECT_EQ(EventTrace(), (Trace{"oDoomed 100001 Step0", "oDoomed 100001 Destroy0",
                                   "oDoomed 100001 CleanUp0", "oDoomed 100001 exists 0"}));
    EXPECT_EQ(FindInstanceById(id), nullptr);
    EXPECT_TRUE(CurrentRoom()->active.View().empty());
    EXPECT_TRUE(Objects().Find(object)->instances.empty());
}

TEST_F(InstanceTest, AlarmsCountDownAndZeroNeverFires) {
    int32_t object = AddObject("oTimer");
    AddEvent(object, ev_create, 0, SetAlarms);
    AddEvent(object, ev_alarm, 0, Traced);
    AddEvent(object, ev_alarm, 1, Traced);
    AddInstance(AddRoom("rmA"), object);
    Start();
    CInstance* timer = FindInstanceById(100001);
    RunFrames(2);
    EXPECT_TRUE(EventTrace().empty());
    EXPECT_EQ(GetBuiltin(timer, "alarm", 0), 1);
    EXPECT_EQ(GetBuiltin(timer, "alarm", 1), -1);
    RunFrames(1);
    EXPECT_EQ(EventTrace(), Trace{"oTimer 100001 Alarm0"});
    EXPECT_EQ(GetBuiltin(timer, "alarm", 0), 0);
    RunFrames(3);
    EXPECT_EQ(EventTrace().size(), 1u);
    SetBuiltin(timer, "alarm", 4.9, 0); // floored

    EXPECT_EQ(GetBuiltin(timer, "alarm", 0), 4);
}

TEST_F(InstanceTest, AnimationWrapsBothWaysAndRaisesAnimationEnd) {
    PackageSprite sprite;
    sprite.name = Text("sFour");
    sprite.width = sprite.height = 4;
    sprite.playback_speed = 1;
    sprite.playback_speed_type = 1;
    sprite.frames = {-1, -1, -1, -1};
    package_.sprites.emplace_back(sprite);
    int32_t spinner = AddObject("oSpinner", -1, false, 0, 0);
    int32_t bare = AddObject("oBare");
    AddEvent(spinner, ev_other, ev_animation_end, Traced);
    AddEvent(bare, ev_other, ev_animation_end, Traced);
    int32_t room = AddRoom("rmA");
    int32_t forward = AddInstance(room, spinner);
    int32_t backward = AddInstance(room, spinner);
    AddInstance(room, bare);
    Start();
    FindInstanceById(backward)->image_speed = -1;
    RunFrames(1);
    // Going down from 0 wraps at once; an instance without a sprite ends every frame.
    EXPECT_EQ(EventTrace(), (Trace{"oSpinner 100002 Other7", "oBare 100003 Other7"}));
    EXPECT_EQ(FindInstanceById(backward)->image_index, 3);
    RunFrames(3);
    EXPECT_EQ(FindInstanceById(forward)->image_index, 0);
    EXPECT_EQ(EventTrace().size(), 6u);
    EXPECT_EQ(EventTrace()[4], "oSpinner 100001 Other7");
}

TEST_F(InstanceTest, MotionFollowsSpeedFrictionAndGravity) {
    AddInstance(AddRoom("rmA"), AddObject("oBall"), 10, 20);
    Start();
    CInstance* ball = FindInstanceById(100001);
    SetBuiltin(ball, "speed", 3);
    SetBuiltin(ball, "direction", 90);
    EXPECT_NEAR(GetBuiltin(ball, "hspeed"), 0, 1e-6);
    EXPECT_EQ(GetBuiltin(ball, "vspeed"), -3);
    SetBuiltin(ball, "friction", 1);
    RunFrames(1);
    EXPECT_EQ(GetBuiltin(ball, "speed"), 2);
    EXPECT_EQ(GetBuiltin(ball, "y"), 18);
    EXPECT_EQ(GetBuiltin(ball, "yprevious"), 20);

    // Gravity straight down turns the motion around; directions snap to whole degrees.
    SetBuiltin(ball, "friction", 0);
    SetBuiltin(ball, "gravity", 2.5);
    RunFrames(1);
    EXPECT_EQ(GetBuiltin(ball, "vspeed"), 0.5);
    EXPECT_EQ(GetBuiltin(ball, "direction"), 270);
    EXPECT_EQ(GetBuiltin(ball, "speed"), 0.5);
    SetBuiltin(ball, "gravity", 0);
    SetBuiltin(ball, "hspeed", 1);
    SetBuiltin(ball, "vspeed", -1);
    EXPECT_EQ(GetBuiltin(ball, "direction"), 45);
    EXPECT_NEAR(GetBuiltin(ball, "speed"), std::sqrt(2.0), 1e-6);
}

TEST_F(InstanceTest, TheRoomListKeepsDepthOrderAndDepthChangesWaitForTheirPoint) {
    int32_t object = AddObject("oLayered");
    AddRoom("rmA");
    Start();
    const auto make = [&](double depth) {
        return int32_t(CallNamed(nullptr, "instance_create_depth", 0, 0, depth, object));
    };
    const auto room_order = [] {
        std::vector<int32_t> ids;
        for (CInstance* instance : CurrentRoom()->active.View()) ids.push_back(instance->id);
        return ids;
    };
    const int32_t a = make(5), b = make(-1), c = make(5);
    EXPECT_EQ(room_order(), (std::vector<int32_t>{b, a, c}));
    CInstance* first = FindInstanceById(a);
    const int32_t old_layer = first->layer;
    SetBuiltin(first, "depth", 10);
    EXPECT_EQ(first->layer, old_layer);
    RunFrames(1);
    // A layered project moves the instance to a layer at its new depth; the list keeps order.
    const CLayer* layer = CurrentRoom()->FindLayer(first->layer);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->depth, 10);
    EXPECT_EQ(room_order(), (std::vector<int32_t>{b, a, c}));
}

TEST_F(InstanceTest, TargetsSelectObjectsWithTheirDescendants) {
    int32_t parent = AddObject("oEnemy");
    int32_t child = AddObject("oSlime", parent);
    int32_t room = AddRoom("rmA");
    int32_t near = AddInstance(room, child, 10, 10);
    int32_t far = AddInstance(room, parent, 100, 100);
    Start();
    const auto call = [](const char* name, auto... args) {
        return CallNamed(nullptr, name, args...);
    };
    EXPECT_EQ(
        (std::vector<double>{call("instance_number", parent), call("instance_number", child),
                             call("instance_nearest", 90, 90, parent),
                             call("instance_nearest", 0, 0, parent),
                             call("instance_nearest", 0, 0, noone),
                             call("instance_find", parent, 1), call("instance_find", parent, 2),
                             call("instance_exists", near), call("instance_exists", 999999)}),
        (std::vector<double>{2, 1, double(far), double(near), noone, double(far), noone, 1, 0}));

    int visited = 0;
    With(nullptr, nullptr, parent, [&](CInstance* self, CInstance*) { visited += self->id; });
    EXPECT_EQ(visited, near + far);
    // A body that makes more of what it walks over visits only what was there, and safely.
    int bodies = 0;
    With(nullptr, nullptr, parent, [&](CInstance*, CInstance*) {
        ++bodies;
        for (int i = 0; i < 20; ++i) call("instance_create", 0, 0, parent);
    });
    EXPECT_EQ(bodies, 2);
    EXPECT_EQ(call("instance_number", parent), 42);
    call("instance_destroy", parent);
    EXPECT_EQ(call("instance_number", parent), 0);
    RemoveMarkedInstances();
    ASSERT_EQ(call("instance_create", 10, 10, child), 100043);
    ASSERT_EQ(call("instance_create", 100, 100, parent), 100044);
    call("instance_destroy", child);
    EXPECT_EQ(call("instance_number", parent), 1);
    RuntimeErrorCapture errors;
    EXPECT_EQ(call("instance_create", 0, 0, 42), -1);
    EXPECT_EQ(errors.Messages(), Trace{"Creating instance for non-existing object: 42"});
}

// Moving an instance must mark its box for the collision look-ups; the global object has no
// per-instance variables to read.
TEST_F(InstanceTest, BuiltinVariablesReachTheRecord) {
    int32_t id = AddInstance(AddRoom("rmA"), AddObject("oThing"), 3, 4);
    Start();
    CInstance* thing = FindInstanceById(id);
    EXPECT_EQ(GetBuiltin(thing, "xstart"), 3);
    thing->flags &= ~INSTANCE_FLAG_BBOX_DIRTY;
    SetBuiltin(thing, "x", 7.5);
    EXPECT_EQ(thing->x, 7.5f);
    EXPECT_TRUE(thing->Has(INSTANCE_FLAG_BBOX_DIRTY));
    ScopedRValue none;
    const int32_t x = FindBuiltinVariable("x");
    EXPECT_FALSE(GetVariableDirect(GlobalObject(), x, ARRAY_INDEX_NONE, none));
}

TEST_F(InstanceTest, InheritedHandlersRunWithTheirOwnersAsEventObject) {
    int32_t grand = AddObject("oGrand");
    int32_t parent = AddObject("oParent", grand);
    int32_t plain = AddObject("oPlain", parent);
    int32_t own = AddObject("oOwn", parent);
    AddEvent(grand, ev_step, ev_step_normal, Traced);
    AddEvent(parent, ev_step, ev_step_normal, ParentStep);
    AddEvent(own, ev_step, ev_step_normal, ChildStep);
    int32_t hunter = AddObject("oHunter");
    int32_t picky = AddObject("oPicky");
    AddEvent(hunter, ev_collision, grand, Traced);
    AddEvent(picky, ev_collision, grand, Traced);
    AddEvent(picky, ev_collision, parent, ChildStep);
    int32_t room = AddRoom("rmA");
    int32_t plain_id = AddInstance(room, plain);
    AddInstance(room, own);
    Start();
    RunFrames(1);
    // oPlain has no handler: its parent's runs, which inherits oGrand's.
    EXPECT_EQ(EventTrace(), (Trace{"oPlain 100001 parent handler of 1", "oPlain 100001 Step0",
                                   "oOwn 100002 own handler", "oOwn 100002 parent handler of 1",
                                   "oOwn 100002 Step0"}));
    // Every object with a handler, own or inherited, is listed, by ascending index.
    std::span<const int32_t> steps = Objects().EventList(ev_step, ev_step_normal);
    EXPECT_EQ(std::vector<int32_t>(steps.begin(), steps.end()),
              (std::vector<int32_t>{grand, parent, plain, own}));
    EXPECT_TRUE(Objects().EventList(ev_step, ev_step_begin).empty());
    // A collision handler against a parent answers its descendants, as its owner's.
    const EventMap& hunts = Objects().Find(hunter)->events;
    for (int32_t target : {grand, parent, plain, own}) {
        ASSERT_TRUE(hunts.Contains(ev_collision, target)) << target;
        EXPECT_STREQ(hunts.Find(ev_collision, target)->code->name,
                     "psl_Object_oHunter_Collision_0");
        EXPECT_EQ(hunts.Find(ev_collision, target)->owner_index, hunter);
    }
    // Its own handler against oParent wins for oParent, and the one against oGrand covers oPlain.
    const EventMap& picks = Objects().Find(picky)->events;
    EXPECT_STREQ(picks.Find(ev_collision, parent)->code->name, "psl_Object_oPicky_Collision_1");
    EXPECT_STREQ(picks.Find(ev_collision, plain)->code->name, "psl_Object_oPicky_Collision_0");

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

TEST_F(InstanceTest, UserEventsByNumberAndTheNestingLimit) {
    int32_t object = AddObject("oThing");
    AddEvent(object, ev_other, ev_user0 + 3, Traced);
    AddEvent(object, ev_other, ev_user0 + 1, Recurse);
    int32_t id = AddInstance(AddRoom("rmA"), object);
    Start();
    CInstance* thing = FindInstanceById(id);
    event_user(thing, thing, 3);
    EXPECT_EQ(EventTrace(), Trace{"oThing 100001 Other13"});
    EXPECT_EQ(CallNamed(thing, "event_perform_object", object, ev_other, ev_user0 + 3), 0);
    EXPECT_EQ(EventTrace().size(), 2u);

    RuntimeErrorCapture errors;
    event_user(thing, thing, 1);
    EXPECT_EQ(g_depth_reached, MAX_EVENT_DEPTH);
    EXPECT_EQ(errors.Messages(), Trace{"PerformEvent recursion depth failure - check for "
                                       "infinite loops, check objects for parenting"});
    // The depth unwound: the next dispatch runs again.
    g_depth_reached = 0;
    event_user(thing, thing, 1);
    EXPECT_EQ(g_depth_reached, MAX_EVENT_DEPTH);
}

TEST_F(InstanceTest, APendingRoomChangeLetsOnlyWhatSurvivesItRun) {
    int32_t plain = AddObject("oPlain");
    int32_t keeper = AddObject("oKeeper", -1, true);
    for (int32_t object : {plain, keeper}) {
        AddEvent(object, ev_other, ev_user0, Traced);
        AddEvent(object, ev_alarm, 0, Traced);
        AddEvent(object, ev_step, ev_step_normal, Traced);
    }
    int32_t room = AddRoom("rmA");
    AddRoom("rmB");
    const int32_t ids[] = {AddInstance(room, plain), AddInstance(room, keeper)};
    Start();
    Runner().pending_room = 1;
    for (int32_t id : ids) {
        CInstance* instance = FindInstanceById(id);
        event_user(instance, instance, 0);
        event_perform(instance, instance, ev_alarm, 0);
        event_perform(instance, instance, ev_step, ev_step_normal);
    }
    EXPECT_EQ(EventTrace(), (Trace{"oKeeper 100002 Other10", "oKeeper 100002 Alarm0"}));
}

TEST_F(InstanceTest, AnEventForAllRunsInTheRoomsOrderAndSkipsTheDestroyed) {
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
    EXPECT_EQ(EventTrace(), (Trace{"oShallow 100003 Other10", "oDeep 100002 Other10"}));
}

} // namespace
