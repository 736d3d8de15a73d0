// Bounding boxes, precise masks, the collision built-ins and the collision events, in both
// collision modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Object/BoundingBox.h"
#include "Object/CollisionEvents.h"
#include "Object/CollisionWorld.h"
#include "Object/EventTrace.h"
#include "Object/InstanceLifecycle.h"
#include "Object/WorldFixture.h"
#include "Room/RunningRooms.h"
#include "Runner/GameApi.h"
#include "Support/CDS_List.h"
#include "Support/DsState.h"

namespace {

const std::vector<std::string> kRing = {"########", "#......#", "#......#", "#......#",
                                        "#......#", "#......#", "#......#", "########"};
const std::vector<std::string> kBlock = {"####", "####", "####", "####"};

void CollisionTraced(CInstance* self, CInstance* other) {
    EventTrace().push_back(TraceLine(self, "hit " + std::to_string(other->id)));
}

class CollisionTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        EventTrace().clear();
    }
    // New projects always collide through the grid; this also finds their events through it.
    void UseGridEvents() { package_.header.function_classifications = 0; }
    CInstance* Make(double x, double y, int32_t object) {
        return FindInstanceById(
            int32_t(CallNamed(nullptr, "instance_create_depth", x, y, 0, object)));
    }
    double At(double x, double y, int32_t object) {
        return CallNamed(nullptr, "collision_rectangle", x, y, x, y, object, 0, 0);
    }
};

TEST_F(CollisionTest, BoxesScaleMirrorAndTurnAboutTheOrigin) {
    // Solid columns 0 to 3 of a 12-wide sprite whose origin is at column 8.
    int32_t sprite = AddSprite("sLeft", {"####........", "####........"}, 8, 0, false);
    int32_t object = AddObject("oThing", -1, false, 0, sprite);
    AddRoom("rmA");
    Start();
    CInstance* thing = Make(100, 50, object);
    const auto box = [thing](float xscale, float angle) {
        thing->image_xscale = xscale;
        thing->image_angle = angle;
        thing->MarkBoxDirty();
        UpdateBoundingBox(*thing);
        return thing->bbox;
    };
    EXPECT_EQ(box(1, 0), (CInstance::Box{92, 50, 95, 51}));
    EXPECT_EQ(box(-1, 0), (CInstance::Box{104, 50, 107, 51})); // mirrored about x = 100
    EXPECT_EQ(box(2, 0), (CInstance::Box{84, 50, 91, 51}));
    // A quarter turn counter-clockwise: columns become rows above the origin.
    EXPECT_EQ(box(1, 90), (CInstance::Box{100, 54, 101, 57}));
    EXPECT_EQ(GetBuiltin(thing, "bbox_top"), 54);
}

// The ring and its block are far from the walls the queries look among.
TEST_F(CollisionTest, PreciseMasksDecideWherePixelsAreClearAndQueriesSelectAndOrderTargets) {
    int32_t ring = AddObject("oRing", -1, false, 0, AddSprite("sRing", kRing));
    int32_t sprite = AddSprite("sBlock", kBlock);
    int32_t block = AddObject("oBlock", -1, false, 0, sprite);
    int32_t parent = AddObject("oSolid", -1, false, 0, sprite);
    int32_t child = AddObject("oWall", parent, false, 0, sprite);
    AddRoom("rmA");
    Start();
    CInstance* hoop = Make(10, 10, ring);
    const auto rectangle = [&](double x1, double y1, double x2, double y2, bool precise) {
        return CallNamed(nullptr, "collision_rectangle", x1, y1, x2, y2, ring, precise, 0);
    };
    // The hole: inside the box, but clear.
    EXPECT_EQ(rectangle(12, 12, 15, 15, true), noone);
    EXPECT_EQ(rectangle(15, 15, 12, 12, false), hoop->id);
    EXPECT_EQ(rectangle(17, 12, 20, 13, true), hoop->id);
    EXPECT_EQ(CallNamed(nullptr, "position_meeting", 13, 13, ring), 0);
    EXPECT_EQ(CallNamed(nullptr, "position_meeting", 10, 13, ring), 1);
    // A block inside the hole touches no solid pixel; on the rim it does.
    CInstance* inside = Make(12, 12, block);
    EXPECT_EQ(CallNamed(inside, "place_meeting", 12, 12, ring), 0);
    EXPECT_EQ(CallNamed(inside, "place_meeting", 8, 12, ring), 1);
    EXPECT_EQ(inside->x, 12); // put back after the test
    // Scaled twice its size, the rim moves out and the hole grows with it.
    hoop->image_xscale = hoop->image_yscale = 2;
    hoop->MarkBoxDirty();
    EXPECT_EQ(rectangle(13, 13, 22, 22, true), noone);
    EXPECT_EQ(rectangle(24, 13, 25, 14, true), hoop->id);

    CInstance* me = Make(0, 0, child);
    CInstance* far = Make(3, 3, child);
    CInstance* near = Make(1, 0, parent);
    // The caller is skipped with not-me even though it is an instance of the target.
    EXPECT_EQ(CallNamed(me, "collision_rectangle", 0, 0, 1, 1, child, 0, 1), noone);
    EXPECT_EQ(CallNamed(me, "collision_rectangle", 0, 0, 1, 1, child, 0, 0), me->id);
    EXPECT_EQ(CallNamed(me, "collision_rectangle", 0, 0, 3, 3, parent, 0, 1), far->id);

    const int32_t list = DsLists().Add(std::make_unique<CDS_List>());
    EXPECT_EQ(CallNamed(me, "instance_place_list", 0, 0, parent, list, 1), 2);
    EXPECT_EQ(ToReal(*DsLists().Find(list)->At(0)), near->id);
    EXPECT_EQ(ToReal(*DsLists().Find(list)->At(1)), far->id);
    EXPECT_EQ(CallNamed(me, "instance_place_list", 0, 0, noone, list, 0), 0);
    EXPECT_EQ(DsLists().Find(list)->Count(), 2);
    EXPECT_EQ(CallNamed(me, "place_free", 0, 0), 1);
    near->flags |= INSTANCE_FLAG_SOLID;
    EXPECT_EQ(CallNamed(me, "place_free", 0, 0), 0);
    DsLists().Take(list);
}

TEST_F(CollisionTest, SolidInstancesMovingTogetherStopAndBothHearOfIt) {
    int32_t sprite = AddSprite("sBlock", kBlock);
    int32_t left = AddObject("oLeft", -1, false, 0, sprite);
    int32_t right = AddObject("oRight", -1, false, 0, sprite);
    AddEvent(left, ev_collision, right, CollisionTraced);
    AddEvent(right, ev_collision, left, CollisionTraced);
    AddRoom("rmA");
    Start();
    CInstance* a = Make(0, 0, left);
    CInstance* b = Make(6, 0, right);
    a->flags |= INSTANCE_FLAG_SOLID;
    SetBuiltin(a, "hspeed", 2);
    SetBuiltin(b, "hspeed", -2);
    RunFrames(1);
    // Moved to 2 and 4, they met: both are back where the frame began, and both heard.
    EXPECT_EQ(a->x, 0);
    EXPECT_EQ(b->x, 6);
    EXPECT_EQ(EventTrace(),
              (std::vector<std::string>{"oLeft 100001 hit 100002", "oRight 100002 hit 100001"}));
}

TEST_F(CollisionTest, OutsideOnceAndBoundaryWhileCrossingTheRoomOrAVisibleView) {
    int32_t object = AddObject("oRunner", -1, false, 0, AddSprite("sBlock", kBlock));
    for (int32_t event : {ev_outside, ev_boundary, 40 + 1, 50 + 1})
        AddEvent(object, ev_other, event, Traced);
    int32_t room = AddRoom("rmA");
    PackageRoom& record = *package_.rooms[size_t(room)];
    record.views_enabled = true;
    record.views.resize(2);
    record.views[1] = {1, 540, 0, 200, 100, 0, 0, 200, 100, 32, 32, -1, -1, -1};
    Start();
    // View 1 spans x 540..739, past the room's 640: one box leaves the room only, the other
    // the view only, each from 4 pixels inside.
    SetBuiltin(Make(636, 10, object), "hspeed", 2);
    SetBuiltin(Make(544, 10, object), "hspeed", -2);
    RunFrames(5);
    EXPECT_EQ(EventTrace(),
              (std::vector<std::string>{"oRunner 100001 Other1", "oRunner 100001 Other0",
                                        "oRunner 100002 Other51", "oRunner 100002 Other41"}));
}

TEST_F(CollisionTest, TheGridFindsWhatIsLeftAsACrowdedCellEmptiesAndWhenRebuilt) {
    UseGridEvents();
    int32_t object = AddObject("oBlock", -1, false, 0, AddSprite("sBlock", kBlock));
    AddRoom("rmA");
    Start();
    ASSERT_TRUE(FastCollision());
    ASSERT_TRUE(Runner().collision_events_through_grid);
    // Enough elsewhere that look-ups keep going through the grid.
    std::vector<CInstance*> blocks;
    for (int i = 0; i < 400; ++i)
        blocks.push_back(Make(200 + i % 20 * 10, 200 + i / 20 * 10, object));
    std::vector<int32_t> crowd; // all in the first 64-pixel cell
    for (int i = 0; i < 49; ++i) crowd.push_back(Make(i % 7 * 9, i / 7 * 9, object)->id);
    for (size_t gone = 0; gone < crowd.size(); ++gone) {
        CallNamed(nullptr, "instance_destroy", crowd[gone]);
        RemoveMarkedInstances();
        for (size_t i = 0; i < crowd.size(); ++i)
            EXPECT_EQ(At(double(i % 7 * 9 + 1), double(i / 7 * 9 + 1), object),
                      i > gone ? crowd[i] : noone);
    }
    for (int i = 0; i < 260; ++i)
        CallNamed(nullptr, "instance_destroy", blocks[size_t(i) * 3 % 400]->id);
    std::vector<std::pair<double, double>> kept, gone;
    for (CInstance* block : blocks)
        (block->IsMarked() ? gone : kept).emplace_back(block->x + 1, block->y + 1);
    RemoveMarkedInstances(); // more than 250 at once: the grid is built anew
    for (auto [x, y] : kept) EXPECT_NE(At(x, y, object), noone);
    for (auto [x, y] : gone) EXPECT_EQ(At(x, y, object), noone);
    EXPECT_EQ(kept.size(), 140u);
}

// A few hundred instances of four objects drifting about, the same scene built once per
// collision mode: both must run the same collision events every frame, and the grid must
// answer queries as the walk does. The room grows and then shrinks under them, leaving most of
// them outside it.
int32_t g_scene_base = 0;

void SceneHit(CInstance* self, CInstance* other) {
    EventTrace().push_back(std::to_string(self->id - g_scene_base) + " hit " +
                           std::to_string(other->id - g_scene_base));
}

// A step and then a look ahead, as a game's own movement code does it: the look comes from an
// instance the grid has yet to follow to its step.
int32_t g_scene_lookout = -1;
void SceneLookAhead(CInstance* self, CInstance*) {
    SetBuiltin(self, "x", self->x + self->hspeed);
    CallNamed(self, "place_meeting", self->x + self->hspeed, self->y, g_scene_lookout);
}

// Per frame the collision events, sorted; then query results, as scene indices.
std::vector<std::vector<std::string>> RunScene(CollisionTest& test,
                                               const std::vector<int32_t>& objects, bool fast) {
    SetFastCollision(fast);
    Runner().collision_events_through_grid = fast;
    PrepareCollisionEvents(fast);
    std::mt19937 random(1234);
    std::uniform_real_distribution<double> place(0, 600), speed(-3, 3);
    auto resize = [](int32_t width, int32_t height) {
        CurrentRoom()->width = width;
        CurrentRoom()->height = height;
    };
    resize(640, 480);
    g_scene_base = LastInstanceId();
    for (int i = 0; i < 300; ++i) {
        double x = place(random), y = place(random) * 0.7;
        CInstance* instance = FindInstanceById(int32_t(CallNamed(
            nullptr, "instance_create_depth", x, y, 0, objects[size_t(i) % objects.size()])));
        SetBuiltin(instance, "hspeed", speed(random));
        SetBuiltin(instance, "vspeed", speed(random));
    }
    std::vector<std::vector<std::string>> record;
    for (int frame = 0; frame < 20; ++frame) {
        if (frame == 7) resize(1400, 900);
        if (frame == 14) resize(200, 150);
        EventTrace().clear();
        test.RunFrames(1);
        std::sort(EventTrace().begin(), EventTrace().end());
        record.push_back(EventTrace());
    }
    const int32_t list = DsLists().Add(std::make_unique<CDS_List>());
    CInstance* probe = FindInstanceById(g_scene_base + 1);
    std::vector<std::string> answers;
    for (int i = 0; i < 50; ++i) {
        double x = place(random), y = place(random) * 0.7;
        int32_t target = objects[size_t(i) % objects.size()];
        double hit = CallNamed(nullptr, "collision_rectangle", x, y, x + 30, y + 20, target, 1, 0);
        answers.push_back(std::to_string(hit == noone ? -1 : hit - g_scene_base));
        answers.push_back(
            std::to_string(CallNamed(probe, "instance_place_list", x, y, target, list, 1)));
    }
    for (int32_t i = 0; i < DsLists().Find(list)->Count(); ++i)
        answers.push_back(std::to_string(ToReal(*DsLists().Find(list)->At(i)) - g_scene_base));
    record.push_back(answers);
    DsLists().Take(list);
    CallNamed(nullptr, "instance_destroy", all);
    RemoveMarkedInstances();
    return record;
}

TEST_F(CollisionTest, GridAndPairWalkRunTheSameEventsAndAnswerTheSame) {
    int32_t sprite = AddSprite("sRing", kRing, 4, 4);
    int32_t a = AddObject("oA", -1, false, 0, sprite);
    int32_t b = AddObject("oB", -1, false, 0, sprite);
    int32_t c = AddObject("oC", -1, false, 0, sprite);
    int32_t d = AddObject("oD", -1, false, 0, AddSprite("sBlock", kBlock));
    AddEvent(a, ev_collision, b, SceneHit);
    AddEvent(b, ev_collision, c, SceneHit);
    AddEvent(c, ev_collision, a, SceneHit);
    AddEvent(a, ev_collision, d, SceneHit);
    g_scene_lookout = b;
    AddEvent(a, ev_step, ev_step_normal, SceneLookAhead);
    AddRoom("rmA");
    Start();
    const auto walked = RunScene(*this, {a, b, c, d}, false);
    const auto gridded = RunScene(*this, {a, b, c, d}, true);
    size_t events = 0;
    for (size_t frame = 0; frame < walked.size(); ++frame) {
        EXPECT_EQ(walked[frame], gridded[frame]) << "frame " << frame;
        events += frame + 1 < walked.size() ? walked[frame].size() : 0;
    }
    EXPECT_GT(events, 100u); // the scene really collides
}

} // namespace
