// A live instance of an object: the record the runner moves, animates and raises events on,
// and the holder of the instance's script variables (in flat cells laid out by its object,
// KxObjectBase.h). The object model creates instances from the instance pool
// (InstancePool.h), lists and frees them; the built-in variables read and write these fields.
#pragma once

#include <array>
#include <cstdint>

#include "Variable/KxObjectBase.h"

constexpr uint32_t INSTANCE_FLAG_MARKED = 0x1; // destroyed, awaiting removal
constexpr uint32_t INSTANCE_FLAG_DEACTIVATED = 0x2;
constexpr uint32_t INSTANCE_FLAG_CREATED = 0x4; // Create has run
constexpr uint32_t INSTANCE_FLAG_BBOX_DIRTY = 0x8;
constexpr uint32_t INSTANCE_FLAG_VISIBLE = 0x10;
constexpr uint32_t INSTANCE_FLAG_SOLID = 0x20;
constexpr uint32_t INSTANCE_FLAG_PERSISTENT = 0x40;
constexpr uint32_t INSTANCE_FLAG_DESTROYING = 0x80; // Destroy already started
constexpr uint32_t INSTANCE_FLAG_PRECISE = 0x200;
constexpr uint32_t INSTANCE_FLAG_IN_COLLISION_GRID = 0x8000;
// A held persistent instance that took a room instance's place: its creation events have run.
constexpr uint32_t INSTANCE_FLAG_SKIP_CREATION = 0x10000;
constexpr uint32_t INSTANCE_FLAG_DEPTH_QUEUED = 0x20000; // moves at the next deferred-work point
constexpr uint32_t INSTANCE_FLAG_GRID_QUEUED = 0x40000;  // its grid cells wait for its new box
constexpr uint32_t INSTANCE_FLAG_BOX_CHANGED = 0x80000;  // moved since the last collision events
constexpr uint32_t INSTANCE_FLAG_SCANNED = 0x100000;     // already paired in this collision pass
constexpr uint32_t INSTANCE_FLAG_LEAVING = 0x200000;     // leaving the world with its room
constexpr uint32_t INSTANCE_FLAG_GRID_ENTERING = 0x400000; // takes its grid cells at the next look-up

constexpr int32_t ALARM_COUNT = 12;
constexpr size_t PREFETCH_DISTANCE = 16;

class CInstance;
// The collision grid follows an instance whose box changed (defined with the grid).
void QueueBoxChange(CInstance* instance);

class CInstance : public KxObjectBase {
public:
    // Holds as many variables as the game declares for instances, laid out as the object's
    // instances use them so far.
    CInstance(int32_t instance_id, int32_t object);

    CInstance* AsInstance() override { return this; }
    double NumberValue() const override { return id; }

    bool Has(uint32_t flag) const { return (flags & flag) != 0; }
    void SetFlag(uint32_t flag, bool on) { flags = on ? flags | flag : flags & ~flag; }
    bool IsMarked() const { return Has(INSTANCE_FLAG_MARKED); }
    // Neither deactivated nor marked for destruction: what passes and target look-ups visit.
    bool IsLive() const {
        return (flags & (INSTANCE_FLAG_MARKED | INSTANCE_FLAG_DEACTIVATED)) == 0;
    }
    // Position, sprite, mask, scale and angle writes go through here: the bounding box is
    // recomputed when next needed, and the collision grid follows.
    void MarkBoxDirty() {
        flags |= INSTANCE_FLAG_BBOX_DIRTY;
        if (Has(INSTANCE_FLAG_IN_COLLISION_GRID) && !Has(INSTANCE_FLAG_GRID_QUEUED)) QueueBoxChange(this);
    }
    // Walks over many instances wait on memory for each in turn unless they ask
    // PREFETCH_DISTANCE instances ahead: for the lines every pass reads (flags, stamp, cells
    // pointer), and those with its place, motion, animation and box.
    void PrefetchHead() const { __builtin_prefetch(this); } // one cache line: see InstancePool.cpp
    void PrefetchBody() const {
        __builtin_prefetch(&x);
        __builtin_prefetch(&grid_cells);
    }
    void MoveTo(float new_x, float new_y) {
        x = new_x;
        y = new_y;
        MarkBoxDirty();
    }

    // In room pixels, edges included.
    struct Box {
        int32_t left, top, right, bottom;
        bool operator==(const Box&) const = default;
        // Edges are included: boxes sharing a row or column of pixels meet. The four sides are
        // compared without a branch each, as grid look-ups meet boxes in no predictable way.
        bool Meets(const Box& other) const {
            return (left <= other.right) & (other.left <= right) & (top <= other.bottom) &
                   (other.top <= bottom);
        }
    };

    // What the step passes, animation and motion read of every instance, first, on the cache
    // lines that also hold the variable storage's header.
    // With the base's cells, these end the first 64 bytes: all that an event pass reads.
    uint32_t flags = INSTANCE_FLAG_BBOX_DIRTY; // first: it fills the base's last four bytes
    uint64_t creation_stamp = 0; // the frame counter when it was made
    int32_t object_index;
    int32_t id;
    float x = 0;
    float y = 0;
    float xprevious = 0;
    float yprevious = 0;
    float hspeed = 0;
    float vspeed = 0;
    float speed = 0;
    float direction = 0;
    float friction = 0;
    float gravity = 0;
    float gravity_direction = 270;
    float image_index = 0;
    float image_speed = 1;
    int32_t sprite_index = -1;
    // What a collision look-up reads of each instance it finds, kept on one cache line or two.
    Box bbox{};
    uint64_t world_serial = 0;   // when it entered the room: its place in the target lists
    uint32_t grid_slot = 0;      // its entry in the collision grid while it is in it
    Box grid_cells{};            // the cells it is in while it is in the grid
    int32_t mask_index = -1;
    float image_xscale = 1;
    float image_yscale = 1;
    float image_angle = 0;
    // Read less often.
    float image_alpha = 1;
    uint32_t image_blend = 0xFFFFFF;
    float xstart = 0;
    float ystart = 0;
    std::array<int32_t, ALARM_COUNT> alarm{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    float depth = 0;
    int32_t layer = -1; // the id of the layer that holds it
    uint16_t outside_flags = 0;  // outside the room (bit 0) or view v (bit 1 + v) when last tested
};
