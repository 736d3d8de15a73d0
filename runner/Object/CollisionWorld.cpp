// The collision grid's upkeep and the look-ups that use it.
#include "Object/CollisionWorld.h"

#include <algorithm>
#include <cmath>

#include "Object/BoundingBox.h"
#include "Object/CollisionGrid.h"
#include "Object/CollisionTest.h"
#include "Object/InstanceLifecycle.h"
#include "Object/ObjectTable.h"
#include "Room/RunningRooms.h"
#include "Variable/InstanceDirectory.h"

namespace {

// Below this many instances a target's own list is quicker to walk than the grid.
constexpr size_t kGridThreshold = 32;
// Past this many leaving at once, building the grid anew beats editing it.
constexpr size_t kRebuildThreshold = 250;

struct CollisionWorld {
    bool fast = false;
    CollisionGrid grid;
    std::vector<CInstance*> queued;  // boxes changed since the last sync
    std::vector<CInstance*> changed; // boxes changed since the last collision events
    bool track_changed = false;      // whether anything reads `changed`
};

CollisionWorld& World() {
    static CollisionWorld world;
    return world;
}

// The cells follow the room's size as it starts and whenever a game changes it.
void FitToRoom(CollisionWorld& world) {
    if (const CRoom* room = CurrentRoom(); room && world.fast) world.grid.Fit(room->width, room->height);
}

void NoteChanged(CollisionWorld& world, CInstance* instance) {
    if (!world.track_changed || instance->Has(INSTANCE_FLAG_BOX_CHANGED)) return;
    instance->flags |= INSTANCE_FLAG_BOX_CHANGED;
    world.changed.push_back(instance);
}

std::vector<CInstance*> TakeChanged(CollisionWorld& world) {
    std::vector<CInstance*> changed;
    changed.swap(world.changed);
    // The next frame most likely moves about as many: no growing the list step by step.
    world.changed.reserve(changed.size());
    for (CInstance* instance : changed) instance->flags &= ~INSTANCE_FLAG_BOX_CHANGED;
    return changed;
}

bool Selects(int32_t target, const CInstance& instance) {
    if (target < 0) return true; // all
    return instance.object_index == target || Objects().IsAncestor(instance.object_index, target);
}

} // namespace

void QueueBoxChange(CInstance* instance) {
    instance->flags |= INSTANCE_FLAG_GRID_QUEUED;
    World().queued.push_back(instance);
}

void SetFastCollision(bool on) { World().fast = on; }

void TrackChangedInstances(bool on) {
    CollisionWorld& world = World();
    world.track_changed = on;
    if (!on) TakeChanged(world);
}

bool FastCollision() { return World().fast; }

// The cells are taken at the next look-up, so an instance made and destroyed between two costs
// the grid nothing.
void EnterCollisionWorld(CInstance* instance) {
    CollisionWorld& world = World();
    NoteChanged(world, instance);
    if (!world.fast) return;
    instance->flags |= INSTANCE_FLAG_GRID_ENTERING;
    if (!instance->Has(INSTANCE_FLAG_GRID_QUEUED)) QueueBoxChange(instance);
}

void LeaveCollisionWorld(CInstance* instance) {
    CollisionWorld& world = World();
    world.grid.Remove(instance);
    if (instance->Has(INSTANCE_FLAG_GRID_QUEUED)) std::erase(world.queued, instance);
    if (instance->Has(INSTANCE_FLAG_BOX_CHANGED)) std::erase(world.changed, instance);
    instance->flags &= ~(INSTANCE_FLAG_GRID_QUEUED | INSTANCE_FLAG_BOX_CHANGED | INSTANCE_FLAG_GRID_ENTERING);
}

void LeaveCollisionWorld(const std::vector<CInstance*>& leaving, std::span<CInstance* const> staying,
                         uint32_t gone_flag) {
    CollisionWorld& world = World();
    const bool rebuild = world.fast && leaving.size() > kRebuildThreshold;
    for (CInstance* instance : leaving) {
        if (!rebuild) world.grid.Remove(instance);
        instance->flags &= ~(INSTANCE_FLAG_IN_COLLISION_GRID | INSTANCE_FLAG_GRID_QUEUED | INSTANCE_FLAG_BOX_CHANGED |
                             INSTANCE_FLAG_GRID_ENTERING);
    }
    // One sweep of each list rather than a search per instance.
    auto gone = [gone_flag](const CInstance* instance) { return instance->Has(gone_flag); };
    std::erase_if(world.queued, gone);
    std::erase_if(world.changed, gone);
    if (!rebuild) return;
    for (CInstance* instance : staying) UpdateBoundingBox(*instance);
    world.grid.Rebuild(staying);
}

void SyncCollisionWorld() {
    CollisionWorld& world = World();
    FitToRoom(world);
    for (CInstance* instance : world.queued) {
        NoteChanged(world, instance);
        const bool placed = instance->Has(INSTANCE_FLAG_IN_COLLISION_GRID | INSTANCE_FLAG_GRID_ENTERING);
        instance->flags &= ~(INSTANCE_FLAG_GRID_QUEUED | INSTANCE_FLAG_GRID_ENTERING);
        if (!placed) continue;
        UpdateBoundingBox(*instance);
        world.grid.Place(instance);
    }
    world.queued.clear();
}

std::vector<CInstance*> TakeChangedInstances() {
    SyncCollisionWorld();
    return TakeChanged(World());
}

void GatherCandidates(CInstance* self, CInstance* other, int32_t target, const CInstance::Box& box,
                      std::vector<CInstance*>& out) {
    out.clear();
    auto consider = [&](CInstance* instance) {
        if (!instance || !instance->IsLive()) return;
        UpdateBoundingBox(*instance);
        if (instance->bbox.Meets(box)) out.push_back(instance);
    };
    if (target == TARGET_SELF || target == TARGET_OTHER) {
        consider(target == TARGET_SELF ? self : other);
        return;
    }
    if (target >= FIRST_INSTANCE_ID) {
        consider(FindInstanceById(target));
        return;
    }
    if (target < TARGET_ALL) return; // noone, and anything below
    const InstanceList list =
        target == TARGET_ALL ? Instances().ActiveInstances() : Instances().InstancesOfObject(target);
    CollisionWorld& world = World();
    if (!world.fast || list.size() < kGridThreshold) {
        for (CInstance* instance : list) consider(instance);
        return;
    }
    SyncCollisionWorld();
    world.grid.Query(box, [&](CInstance* instance) {
        if (instance->IsLive() && Selects(target, *instance) && instance->bbox.Meets(box)) out.push_back(instance);
    });
    // The order of the target's list: the order instances entered the room.
    std::sort(out.begin(), out.end(),
              [](const CInstance* a, const CInstance* b) { return a->world_serial < b->world_serial; });
}

CInstance* CollisionRectangle(CInstance* self, CInstance* other, double x1, double y1, double x2, double y2,
                              int32_t target, bool precise, bool not_me) {
    const CInstance::Box area{int32_t(std::floor(std::min(x1, x2))), int32_t(std::floor(std::min(y1, y2))),
                              int32_t(std::ceil(std::max(x1, x2))), int32_t(std::ceil(std::max(y1, y2)))};
    std::vector<CInstance*> candidates;
    GatherCandidates(self, other, target, area, candidates);
    for (CInstance* instance : candidates) {
        if (not_me && instance == self) continue;
        if (InstanceMeetsRectangle(*instance, x1, y1, x2, y2, precise)) return instance;
    }
    return nullptr;
}

std::vector<CInstance*> InstancesAtPlace(CInstance* self, CInstance* other, double x, double y, int32_t target,
                                         bool stop_at_first) {
    std::vector<CInstance*> found;
    if (!self) return found;
    // Tried in place, then put back as it was: the move is not a move the room sees. The grid
    // catches up with its real place first, or the look-up would enter it at the trial box.
    SyncCollisionWorld();
    UpdateBoundingBox(*self);
    const float saved_x = self->x;
    const float saved_y = self->y;
    const CInstance::Box saved_box = self->bbox;
    self->x = float(x);
    self->y = float(y);
    self->flags |= INSTANCE_FLAG_BBOX_DIRTY;
    UpdateBoundingBox(*self);
    std::vector<CInstance*> candidates;
    GatherCandidates(self, other, target, self->bbox, candidates);
    for (CInstance* instance : candidates) {
        if (instance == self || !InstancesCollide(*self, *instance)) continue;
        found.push_back(instance);
        if (stop_at_first) break;
    }
    self->x = saved_x;
    self->y = saved_y;
    self->bbox = saved_box;
    return found;
}
