// Instances: creation inside passes, destruction and removal, alarms, animation, motion,
// depth order, targets and the per-instance built-in variables.
#include <gtest/gtest.h>

#include <cmath>

#include "Object/EventTrace.h"
#include "Object/InstanceLifecycle.h"
#include "Object/WorldFixture.h"
#include "Runner/GameApi.h"

namespace {

using Trace = std::vector<std::string>;

int32_t g_object = -1;
int32_t g_made = 0;

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

class InstanceTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        EventTrace().clear();
        g_made = 0;
    }
    std::vector<int32_t> RoomOrder() {
        std::vector<int32_t> ids;
        for (CInstance* instance : CurrentRoom()->active.View()) ids.push_back(instance->id);
        return ids;
    }
};

TEST_F(InstanceTest, InstancesMadeDuringAPassWaitForTheNextOne) {
    g_object = AddObject("oMaker");
    AddEvent(g_object, ev_step, ev_step_normal, MakeOneMore);
    AddEvent(g_object, ev_pre_create, 0, Traced);
    AddEvent(g_object, ev_create, 0, Traced);
    AddInstance(AddRoom("rmA"), g_object);
    Start();
    EventTrace().clear();
    RunFrames(2);
    // Made in the pass, not stepped by it.
    EXPECT_EQ(EventTrace(), (Trace{"oMaker 100001 Step0", "oMaker 100002 PreCreate0",
                                   "oMaker 100002 Create0", "oMaker 100001 Step0",
                                   "oMaker 100002 Step0"}));
}

TEST_F(InstanceTest, ACreateHandlerThatCreatesRunsTheNewInstancesEventsInside) {
    g_object = AddObject("oNest");
    AddEvent(g_object, ev_pre_create, 0, Traced);
    AddEvent(g_object, ev_create, 0, MakeInCreate);
    AddInstance(AddRoom("rmA"), g_object);
    Start();
    EXPECT_EQ(EventTrace(), (Trace{"oNest 100001 PreCreate0", "oNest 100001 Create0",
                                   "oNest 100002 PreCreate0", "oNest 100002 Create0"}));
    EXPECT_TRUE(FindInstanceById(100002)->Has(INSTANCE_FLAG_CREATED));
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
    // Out-of-range indices mean alarm 0; written values are floored.
    SetBuiltin(timer, "alarm", 4.9, 15);
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
    const int32_t a = make(5), b = make(-1), c = make(5);
    EXPECT_EQ(RoomOrder(), (std::vector<int32_t>{b, a, c}));
    CInstance* first = FindInstanceById(a);
    const int32_t old_layer = first->layer;
    SetBuiltin(first, "depth", 10);
    EXPECT_EQ(first->layer, old_layer);
    RunFrames(1);
    // A layered project moves the instance to a layer at its new depth; the list keeps order.
    const CLayer* layer = CurrentRoom()->FindLayer(first->layer);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->depth, 10);
    EXPECT_EQ(layer->name.rfind("_layer_", 0), 0u);
    EXPECT_EQ(RoomOrder(), (std::vector<int32_t>{b, a, c}));
}

TEST_F(InstanceTest, TargetsSelectObjectsWithTheirDescendants) {
    int32_t parent = AddObject("oEnemy");
    int32_t child = AddObject("oSlime", parent);
    int32_t room = AddRoom("rmA");
    int32_t near = AddInstance(room, child, 10, 10);
    int32_t far = AddInstance(room, parent, 100, 100);
    Start();
    EXPECT_EQ(CallNamed(nullptr, "instance_number", parent), 2);
    EXPECT_EQ(CallNamed(nullptr, "instance_number", child), 1);
    EXPECT_EQ(CallNamed(nullptr, "instance_nearest", 90, 90, parent), far);
    EXPECT_EQ(CallNamed(nullptr, "instance_nearest", 0, 0, parent), near);
    EXPECT_EQ(CallNamed(nullptr, "instance_find", parent, 1), far);
    EXPECT_EQ(CallNamed(nullptr, "instance_find", parent, 2), noone);
    EXPECT_EQ(CallNamed(nullptr, "instance_exists", near), 1);
    EXPECT_EQ(CallNamed(nullptr, "instance_exists", 999999), 0);
    EXPECT_EQ(CallNamed(nullptr, "instance_nearest", 0, 0, noone), noone);

    int visited = 0;
    With(nullptr, nullptr, parent, [&](CInstance* self, CInstance*) { visited += self->id; });
    EXPECT_EQ(visited, near + far);
    // A body that makes more of what it walks over visits only what was there, and safely.
    int bodies = 0;
    With(nullptr, nullptr, parent, [&](CInstance*, CInstance*) {
        ++bodies;
        for (int i = 0; i < 20; ++i) CallNamed(nullptr, "instance_create", 0, 0, parent);
    });
    EXPECT_EQ(bodies, 2);
    EXPECT_EQ(CallNamed(nullptr, "instance_number", parent), 42);
    CallNamed(nullptr, "instance_destroy", parent);
    EXPECT_EQ(CallNamed(nullptr, "instance_number", parent), 0);
    RemoveMarkedInstances();
    ASSERT_EQ(CallNamed(nullptr, "instance_create", 10, 10, child), 100043);
    ASSERT_EQ(CallNamed(nullptr, "instance_create", 100, 100, parent), 100044);
    CallNamed(nullptr, "instance_destroy", child);
    EXPECT_EQ(CallNamed(nullptr, "instance_number", parent), 1);
    RuntimeErrorCapture errors;
    EXPECT_EQ(CallNamed(nullptr, "instance_create", 0, 0, 42), -1);
    EXPECT_EQ(errors.Messages(), Trace{"Creating instance for non-existing object: 42"});
}

TEST_F(InstanceTest, BuiltinVariablesReachTheRecord) {
    int32_t object = AddObject("oThing");
    int32_t id = AddInstance(AddRoom("rmA"), object, 3, 4);
    Start();
    CInstance* thing = FindInstanceById(id);
    EXPECT_EQ(GetBuiltin(thing, "id"), id);
    EXPECT_EQ(GetBuiltin(thing, "object_index"), object);
    EXPECT_EQ(GetBuiltin(thing, "xstart"), 3);
    EXPECT_FALSE(SetVariableDirect(thing, FindBuiltinVariable("id"), ARRAY_INDEX_NONE, RealValue(5)));
    thing->flags &= ~INSTANCE_FLAG_BBOX_DIRTY;
    SetBuiltin(thing, "x", 7.5);
    EXPECT_EQ(thing->x, 7.5f);
    EXPECT_TRUE(thing->Has(INSTANCE_FLAG_BBOX_DIRTY));
    SetBuiltin(thing, "visible", 0);
    EXPECT_EQ(GetBuiltin(thing, "visible"), 0);
    SetBuiltin(thing, "image_blend", 0x123456);
    EXPECT_EQ(GetBuiltin(thing, "image_blend"), 0x123456);
    // Through the global object the per-instance variables read nothing.
    ScopedRValue none;
    EXPECT_FALSE(GetVariableDirect(GlobalObject(), FindBuiltinVariable("x"), ARRAY_INDEX_NONE, none));
}

} // namespace
