// Making, destroying and freeing instances, and the bookkeeping that keeps every list an
// instance belongs to in step: the room's ordered list and its layer, the id map, its
// object's list and the recursive lists of the object and its ancestors.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class CInstance;
class CRoom;
class InstanceDirectory;

// The running room's instances, for variable access by target (installed at game start).
InstanceDirectory& RunningInstanceDirectory();

// The last id given out; the next instance gets one more. Ids are never reused in a run.
int32_t& LastInstanceId();

// Creates an instance of the object in the running room and runs its Pre-create and Create
// events. Null, with a report, when the object does not exist; null when no room runs.
CInstance* CreateInstance(float x, float y, float depth, int32_t object_index);
// An instance with the given id and the object's defaults, entered in the room's lists (on the
// layer with `layer_id` when the room has it, else on one for its depth) without any event.
CInstance* AddInstance(CRoom& room, int32_t id, int32_t object_index, float x, float y,
                       float depth, int32_t layer_id = -1);

// Runs Destroy (when asked) and Clean-up once, then marks the instance for removal.
void DestroyInstance(CInstance* instance, bool run_destroy_event);
// Frees the marked instances of the running room and takes them out of every list.
void RemoveMarkedInstances();

// Enters an instance in the room's lists and on a layer (`layer_id` when it exists, else the
// layer at its depth, made when missing), and in the id map and object lists.
void LinkInstance(CRoom& room, CInstance* instance, int32_t layer_id);
// Takes an instance out of the room's lists, its layer, the id map and the object lists.
void UnlinkInstance(CRoom& room, CInstance* instance);
// Puts `incoming` where `outgoing` stands in every list and frees `outgoing`. On the layers it
// keeps that place when `layer_id`, read as LinkInstance reads it, leads to `outgoing`'s layer.
void ReplaceInstance(CRoom& room, CInstance* outgoing, CInstance* incoming, int32_t layer_id);
// Only the id map and the object lists: a persistent room keeps the rest while it sleeps.
void EnterInWorld(CInstance* instance);
// One or many at once (a room's instances when it ends), in time linear in the lists they are on;
// the id table then shrinks if it is mostly empty.
void LeaveWorld(const std::vector<CInstance*>& instances);

// Null when no instance has the id.
CInstance* FindInstanceById(int32_t id);

// A depth write: the instance moves to its new place at the next deferred-work point.
void SetInstanceDepth(CInstance* instance, float depth);
// Carries out the depth changes queued since the last call.
void DoDeferredWork();
