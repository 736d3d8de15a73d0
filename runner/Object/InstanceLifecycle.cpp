// Instance creation, destruction, batched removal and deferred depth changes.
#include "Object/InstanceLifecycle.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Base/RunnerState.h"
#include "Code/RuntimeError.h"
#include "Object/CollisionWorld.h"
#include "Object/EventDispatch.h"
#include "Object/InstanceIdMap.h"
#include "Object/ObjectTable.h"
#include "Room/RunningRooms.h"
#include "Variable/CInstance.h"
#include "Variable/InstanceDirectory.h"
#include "Variable/InstancePool.h"

namespace {

int32_t g_last_instance_id = 0;
InstanceIdMap g_by_id;
std::vector<CInstance*> g_depth_changes;

template <typename Visit>
void ForObjectAndAncestors(CObject* object, Visit visit) {
    for (; object; object = object->parent) visit(*object);
}

// The layer with `layer_id` when the room has it, else the one at the instance's depth (made
// when missing).
CLayer& LayerFor(CRoom& room, const CInstance* instance, int32_t layer_id) {
    CLayer* layer = room.FindLayer(layer_id);
    return layer ? *layer : room.LayerForDepth(int32_t(std::trunc(instance->depth)));
}

void AddToLayer(CLayer& layer, CInstance* instance) {
    instance->layer = layer.id;
    LayerElement element;
    element.id = NextLayerElementId();
    element.instance = instance;
    layer.elements.push_back(element);
}

void PlaceOnLayer(CRoom& room, CInstance* instance, int32_t layer_id) {
    AddToLayer(LayerFor(room, instance, layer_id), instance);
}

// Takes the instances flagged `gone_flag` out of the id map, the object lists, the depth queue
// and the collision world: one sweep per list touched, rather than one search per instance.
void LeaveWorldTogether(const std::vector<CInstance*>& leaving, std::span<CInstance* const> staying,
                        uint32_t gone_flag) {
    std::vector<bool> touched(size_t(Objects().Count()));
    for (CInstance* instance : leaving) {
        g_by_id.Erase(instance->id, instance);
        ForObjectAndAncestors(Objects().Find(instance->object_index),
                              [&](CObject& o) { touched[size_t(o.index)] = true; });
    }
    auto gone = [gone_flag](const CInstance* instance) { return instance->Has(gone_flag); };
    for (size_t index = 0; index < touched.size(); ++index) {
        if (!touched[index]) continue;
        CObject* object = Objects().Find(int32_t(index));
        std::erase_if(object->instances, gone);
        std::erase_if(object->recursive_instances, gone);
    }
    std::erase_if(g_depth_changes, gone);
    LeaveCollisionWorld(leaving, staying, gone_flag);
}

void TakeOffLayer(CRoom& room, CInstance* instance) {
    if (CLayer* layer = room.FindLayer(instance->layer))
        std::erase_if(layer->elements, [&](const LayerElement& e) { return e.instance == instance; });
}

// Target look-ups for variable access and `with`, over the running room.
class RunningInstances final : public InstanceDirectory {
public:
    CInstance* FindInstance(int32_t id) const override { return FindInstanceById(id); }
    InstanceList ActiveInstances() const override {
        const CRoom* room = CurrentRoom();
        return room ? room->active.View() : InstanceList();
    }
    InstanceList InstancesOfObject(int32_t object_index) const override {
        const CObject* object = Objects().Find(object_index);
        return object ? InstanceList(object->recursive_instances) : InstanceList();
    }
    const char* ObjectName(int32_t object_index) const override {
        const CObject* object = Objects().Find(object_index);
        return object && object->name.data() ? object->name.data() : "<undefined>";
    }
};

RunningInstances g_running_instances;

} // namespace

InstanceDirectory& RunningInstanceDirectory() { return g_running_instances; }

int32_t& LastInstanceId() { return g_last_instance_id; }

void EnterInWorld(CInstance* instance) {
    static uint64_t last_serial = 0;
    instance->world_serial = ++last_serial;
    g_by_id.Set(instance->id, instance);
    CObject* object = Objects().Find(instance->object_index);
    if (object) object->instances.push_back(instance);
    ForObjectAndAncestors(object, [&](CObject& o) { o.recursive_instances.push_back(instance); });
    EnterCollisionWorld(instance);
}

void LeaveWorld(const std::vector<CInstance*>& instances) {
    for (CInstance* instance : instances) instance->flags |= INSTANCE_FLAG_LEAVING;
    LeaveWorldTogether(instances, {}, INSTANCE_FLAG_LEAVING);
    for (CInstance* instance : instances) instance->flags &= ~(INSTANCE_FLAG_LEAVING | INSTANCE_FLAG_DEPTH_QUEUED);
    // A room gone leaves the table sized for it; removals within a room never shrink it, so
    // instances made and destroyed again and again never make it grow again.
    g_by_id.ShrinkWhenSparse();
}

void LinkInstance(CRoom& room, CInstance* instance, int32_t layer_id) {
    room.active.Insert(instance);
    PlaceOnLayer(room, instance, layer_id);
    EnterInWorld(instance);
}

void UnlinkInstance(CRoom& room, CInstance* instance) {
    room.active.Remove(instance);
    TakeOffLayer(room, instance);
    LeaveWorld({instance});
}

void ReplaceInstance(CRoom& room, CInstance* outgoing, CInstance* incoming, int32_t layer_id) {
    room.active.Replace(outgoing, incoming);
    CLayer& layer = LayerFor(room, incoming, layer_id);
    if (layer.id == outgoing->layer) {
        incoming->layer = layer.id;
        for (LayerElement& element : layer.elements)
            if (element.instance == outgoing) element.instance = incoming;
    } else {
        TakeOffLayer(room, outgoing);
        AddToLayer(layer, incoming);
    }
    g_by_id.Set(incoming->id, incoming);
    CObject* object = Objects().Find(outgoing->object_index);
    auto swap_in = [&](std::vector<CInstance*>& list) {
        std::ranges::replace(list, outgoing, incoming);
    };
    if (object) swap_in(object->instances);
    ForObjectAndAncestors(object, [&](CObject& o) { swap_in(o.recursive_instances); });
    LeaveCollisionWorld(outgoing);
    // The grid returns what it finds in this order, which must stay the lists' order.
    incoming->world_serial = outgoing->world_serial;
    EnterCollisionWorld(incoming);
    if (outgoing->Has(INSTANCE_FLAG_DEPTH_QUEUED)) std::erase(g_depth_changes, outgoing);
    FreeInstance(outgoing);
}

CInstance* FindInstanceById(int32_t id) {
    return g_by_id.Find(id);
}

CInstance* AddInstance(CRoom& room, int32_t id, int32_t object_index, float x, float y,
                       float depth, int32_t layer_id) {
    const CObject* object = Objects().Find(object_index);
    auto* instance = NewInstance(id, object_index);
    instance->creation_stamp = Runner().frame_counter;
    instance->x = instance->xstart = instance->xprevious = x;
    instance->y = instance->ystart = instance->yprevious = y;
    instance->depth = depth;
    if (object) {
        instance->sprite_index = object->sprite_index;
        instance->mask_index = object->mask_index;
        instance->SetFlag(INSTANCE_FLAG_VISIBLE, object->Has(OBJECT_FLAG_VISIBLE));
        instance->SetFlag(INSTANCE_FLAG_SOLID, object->Has(OBJECT_FLAG_SOLID));
        instance->SetFlag(INSTANCE_FLAG_PERSISTENT, object->Has(OBJECT_FLAG_PERSISTENT));
    }
    g_last_instance_id = std::max(g_last_instance_id, id);
    LinkInstance(room, instance, layer_id);
    return instance;
}

CInstance* CreateInstance(float x, float y, float depth, int32_t object_index) {
    if (!Objects().Find(object_index)) {
        ShowError(("Creating instance for non-existing object: " + std::to_string(object_index)).c_str(),
                  false);
        return nullptr;
    }
    CRoom* room = CurrentRoom();
    if (!room) return nullptr;
    CInstance* instance = AddInstance(*room, g_last_instance_id + 1, object_index, x, y, depth);
    PerformEvent(instance, instance, ev_pre_create, 0);
    PerformEvent(instance, instance, ev_create, 0);
    instance->flags |= INSTANCE_FLAG_CREATED;
    return instance;
}

void DestroyInstance(CInstance* instance, bool run_destroy_event) {
    if (instance->Has(INSTANCE_FLAG_DESTROYING)) return;
    instance->flags |= INSTANCE_FLAG_DESTROYING;
    if (run_destroy_event) PerformEvent(instance, instance, ev_destroy, 0);
    PerformEvent(instance, instance, ev_cleanup, 0);
    instance->flags |= INSTANCE_FLAG_MARKED;
}

void RemoveMarkedInstances() {
    CRoom* room = CurrentRoom();
    if (!room) return;
    std::vector<CInstance*> marked;
    for (CInstance* instance : room->active.View())
        if (instance->IsMarked()) marked.push_back(instance);
    if (marked.empty()) return;

    for (CLayer& layer : room->layers)
        std::erase_if(layer.elements, [](const LayerElement& e) { return e.instance && e.instance->IsMarked(); });
    room->active.RemoveIf([](const CInstance* instance) { return instance->IsMarked(); });
    LeaveWorldTogether(marked, room->active.View(), INSTANCE_FLAG_MARKED);
    for (CInstance* instance : marked) FreeInstance(instance);
}

void SetInstanceDepth(CInstance* instance, float depth) {
    if (instance->depth == depth) return;
    instance->depth = depth;
    if (instance->Has(INSTANCE_FLAG_DEPTH_QUEUED)) return;
    instance->flags |= INSTANCE_FLAG_DEPTH_QUEUED;
    g_depth_changes.push_back(instance);
}

void DoDeferredWork() {
    CRoom* room = CurrentRoom();
    if (!room || g_depth_changes.empty()) return;
    std::vector<CInstance*> changes;
    changes.swap(g_depth_changes);
    for (CInstance* instance : changes) {
        instance->flags &= ~INSTANCE_FLAG_DEPTH_QUEUED;
        if (instance->Has(INSTANCE_FLAG_DEACTIVATED)) continue;
        if (Runner().major_version >= 2) {
            // Layers order the drawing; the room's list keeps its order.
            TakeOffLayer(*room, instance);
            PlaceOnLayer(*room, instance, -1);
        } else {
            room->active.Remove(instance);
            room->active.Insert(instance);
        }
    }
}
