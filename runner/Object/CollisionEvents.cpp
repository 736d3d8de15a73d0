// Collision pairs, the pair step, and the room's outside and boundary events.
#include "Object/CollisionEvents.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "Base/RunnerState.h"
#include "Code/GameConstants.h"
#include "Object/BoundingBox.h"
#include "Object/CollisionGrid.h"
#include "Object/CollisionTest.h"
#include "Object/CollisionWorld.h"
#include "Object/EventDispatch.h"
#include "Object/ObjectTable.h"
#include "Room/RoomViews.h"
#include "Room/RunningRooms.h"
#include "Variable/CInstance.h"
#include "Variable/InstanceDirectory.h"

namespace {

struct CollisionEventState {
    bool through_grid = false;
    std::vector<std::pair<int32_t, int32_t>> pairs; // (lower, higher) object indices
    // Through the grid: whether either of two objects answers the other, at a * objects + b.
    std::vector<bool> answers;
    size_t objects = 0;
    bool any_pair = false;

    bool EitherAnswers(int32_t a, int32_t b) const {
        return size_t(a) < objects && size_t(b) < objects && answers[size_t(a) * objects + size_t(b)];
    }
};

CollisionEventState& State() {
    static CollisionEventState state;
    return state;
}

constexpr uint32_t kOutsideRoomFlag = 1; // then one bit per view

void MoveBack(CInstance& instance) { instance.MoveTo(instance.xprevious, instance.yprevious); }

bool EitherSolid(const CInstance& a, const CInstance& b) {
    return a.Has(INSTANCE_FLAG_SOLID) || b.Has(INSTANCE_FLAG_SOLID);
}

void PairStep(CInstance& a, CInstance& b) {
    if (EitherSolid(a, b)) {
        MoveBack(a);
        MoveBack(b);
    }
    PerformEvent(&a, &b, ev_collision, b.object_index);
    PerformEvent(&b, &a, ev_collision, a.object_index);
    if (!EitherSolid(a, b)) return;
    a.MoveTo(a.x + a.hspeed, a.y + a.vspeed);
    b.MoveTo(b.x + b.hspeed, b.y + b.vspeed);
    if (InstancesCollide(a, b)) {
        MoveBack(a);
        MoveBack(b);
    }
}

void RunPairEvents() {
    for (const auto& [first, second] : State().pairs) {
        const CObject* object_a = Objects().Find(first);
        const CObject* object_b = Objects().Find(second);
        if (object_a->instances.empty() || object_b->instances.empty()) continue;
        const uint64_t stamp = Runner().frame_counter++;
        // Handlers may create instances: walk by index; the stamp leaves the new ones out.
        for (size_t i = 0; i < object_a->instances.size(); ++i) {
            CInstance* a = object_a->instances[i];
            if (!a->IsLive() || a->creation_stamp > stamp) continue;
            for (size_t j = 0; j < object_b->instances.size(); ++j) {
                CInstance* b = object_b->instances[j];
                if (b == a || !b->IsLive() || b->creation_stamp > stamp) continue;
                if (InstancesCollide(*a, *b)) PairStep(*a, *b);
            }
        }
    }
}

void RunGridEvents() {
    const CollisionEventState& state = State();
    // Without a pair to answer, moved instances take their cells at the next look-up instead.
    if (!state.any_pair) return;
    std::vector<CInstance*> moved = TakeChangedInstances();
    std::vector<std::pair<CInstance*, CInstance*>> candidates;
    std::vector<CInstance*> near;
    // An instance scanned earlier already paired with everything it touches.
    for (CInstance* a : moved) {
        const CObject* object_a = Objects().Find(a->object_index);
        if (!a->IsLive() || !object_a || !object_a->Has(OBJECT_FLAG_COLLIDES)) continue;
        UpdateBoundingBox(*a);
        GatherCandidates(nullptr, nullptr, TARGET_ALL, a->bbox, near);
        for (CInstance* b : near) {
            if (b == a || b->Has(INSTANCE_FLAG_SCANNED)) continue;
            if (state.EitherAnswers(a->object_index, b->object_index)) candidates.emplace_back(a, b);
        }
        a->flags |= INSTANCE_FLAG_SCANNED;
    }
    for (CInstance* instance : moved) instance->flags &= ~INSTANCE_FLAG_SCANNED;
    for (auto& [a, b] : candidates)
        if (a->IsLive() && b->IsLive() && InstancesCollide(*a, *b)) PairStep(*a, *b);
}

} // namespace

void PrepareCollisionEvents(bool through_grid) {
    CollisionEventState& state = State();
    state.through_grid = through_grid;
    state.pairs.clear();
    state.answers.clear();
    state.objects = 0;
    state.any_pair = false;
    for (int32_t index = 0; index < Objects().Count(); ++index) {
        CObject* object = Objects().Find(index);
        if (!object) continue;
        object->events.ForEach([&](int32_t type, int32_t subtype, const ObjectEvent&) {
            CObject* other = Objects().Find(subtype);
            if (type != ev_collision || !other) return;
            object->flags |= OBJECT_FLAG_COLLIDES;
            other->flags |= OBJECT_FLAG_COLLIDES;
            state.pairs.emplace_back(std::min(index, subtype), std::max(index, subtype));
        });
    }
    std::sort(state.pairs.begin(), state.pairs.end());
    state.pairs.erase(std::unique(state.pairs.begin(), state.pairs.end()), state.pairs.end());
    state.any_pair = !state.pairs.empty();
    TrackChangedInstances(through_grid && state.any_pair);
    if (!through_grid) return;
    // Through the grid only instances that moved are looked at, and each pair met is asked of a
    // table rather than of the objects' event maps: no pair list is needed.
    state.objects = size_t(Objects().Count());
    state.answers.assign(state.objects * state.objects, false);
    for (const auto& [low, high] : state.pairs) {
        state.answers[size_t(low) * state.objects + size_t(high)] = true;
        state.answers[size_t(high) * state.objects + size_t(low)] = true;
    }
    state.pairs.clear();
}

void RunCollisionEvents() {
    if (State().through_grid) RunGridEvents();
    else RunPairEvents();
}

namespace {

constexpr int32_t kOutsideView = 40;  // + view: outside view v
constexpr int32_t kViewBoundary = 50; // + view: across the edge of view v

struct Placement {
    bool outside;
    bool crossing;
};

// Where the instance stands against an area: wholly outside it, or across its edge. Without a
// collision sprite its position decides, and a position outside counts as both.
Placement PlaceAgainst(CInstance& instance, double left, double top, double width, double height) {
    const double right = left + width;
    const double bottom = top + height;
    if (!CollisionSprite(instance)) {
        const bool outside = instance.x < left || instance.x > right || instance.y < top || instance.y > bottom;
        return {outside, outside};
    }
    UpdateBoundingBox(instance);
    const CInstance::Box& box = instance.bbox;
    const bool outside = box.right < left || box.left >= right || box.bottom < top || box.top >= bottom;
    const bool crossing = !outside && (box.left < left || box.right >= right || box.top < top || box.bottom >= bottom);
    return {outside, crossing};
}

// One pass over the objects that have either event: `outside` once as an instance leaves (the
// flag remembers it), `crossing` on every frame it straddles the edge.
void RunEdgePass(int32_t outside_event, int32_t crossing_event, uint32_t outside_flag, double left, double top,
                 double width, double height) {
    std::span<const int32_t> outside = Objects().EventList(ev_other, outside_event);
    std::span<const int32_t> crossing = Objects().EventList(ev_other, crossing_event);
    if (outside.empty() && crossing.empty()) return;
    std::vector<int32_t> objects;
    std::set_union(outside.begin(), outside.end(), crossing.begin(), crossing.end(), std::back_inserter(objects));
    const uint64_t stamp = Runner().frame_counter++;
    for (int32_t object_index : objects) {
        const CObject* object = Objects().Find(object_index);
        for (size_t i = 0; i < object->instances.size(); ++i) {
            CInstance* instance = object->instances[i];
            if (!instance->IsLive() || instance->creation_stamp > stamp) continue;
            const Placement placement = PlaceAgainst(*instance, left, top, width, height);
            const bool was_outside = (instance->outside_flags & outside_flag) != 0;
            instance->outside_flags = placement.outside ? instance->outside_flags | outside_flag
                                                        : instance->outside_flags & ~outside_flag;
            if (placement.outside && !was_outside) PerformEvent(instance, instance, ev_other, outside_event);
            if (placement.crossing) PerformEvent(instance, instance, ev_other, crossing_event);
        }
    }
}

} // namespace

void RunOutsideEvents() {
    CRoom* room = CurrentRoom();
    if (!room) return;
    RunEdgePass(ev_outside, ev_boundary, kOutsideRoomFlag, 0, 0, room->width, room->height);
    for (const ViewRect& view : VisibleViewRects(*room)) {
        // The room may have changed under a handler.
        if (CurrentRoom() != room) return;
        RunEdgePass(kOutsideView + view.view, kViewBoundary + view.view, 2u << view.view, view.x, view.y,
                    view.width, view.height);
    }
}
