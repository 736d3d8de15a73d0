// Collision look-ups over the running room's instances: by walking the target's instance list,
// or, with fast collision on, through a grid kept up to date as instances move. Both give the
// same instances; where a function returns only one, it is the first of the target's list.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Variable/CInstance.h"

// Fast collision (the package's option) puts every instance of the room in the grid.
void SetFastCollision(bool on);
bool FastCollision();

// The object model tells the grid about instances entering and leaving the room.
void EnterCollisionWorld(CInstance* instance);
void LeaveCollisionWorld(CInstance* instance);
// The instances flagged `gone_flag` leave together; past 250 the grid is rebuilt rather than edited.
void LeaveCollisionWorld(const std::vector<CInstance*>& leaving, std::span<CInstance* const> staying,
                         uint32_t gone_flag);
// Brings the grid up to date with every box that changed.
void SyncCollisionWorld();
// Instances whose box changed since the last call, in the order they first changed; kept only
// while tracking is on (off at first), as collision events taken from the grid are all that
// read them.
std::vector<CInstance*> TakeChangedInstances();
// Starts or stops keeping that list; stopping empties it.
void TrackChangedInstances(bool on);

// The live instances selected by `target` (-1 and -2 name self and other) whose boxes meet
// the box, in the target's list order.
void GatherCandidates(CInstance* self, CInstance* other, int32_t target, const CInstance::Box& box,
                      std::vector<CInstance*>& out);

// The instance selected by target that meets the rectangle, or null.
CInstance* CollisionRectangle(CInstance* self, CInstance* other, double x1, double y1, double x2, double y2,
                              int32_t target, bool precise, bool not_me);
// Every instance selected by target that collides with self moved to (x, y); self is put back.
std::vector<CInstance*> InstancesAtPlace(CInstance* self, CInstance* other, double x, double y, int32_t target,
                                         bool stop_at_first);
