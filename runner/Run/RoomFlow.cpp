// Starting and ending rooms and the game, in their fixed order of work.
#include "Run/RoomFlow.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Code/CodeTable.h"
#include "Code/RunningCode.h"
#include "Code/RuntimeError.h"
#include "Object/CollisionEvents.h"
#include "Object/CollisionWorld.h"
#include "Object/EventDispatch.h"
#include "Object/InstanceLifecycle.h"
#include "Object/ObjectTable.h"
#include "Room/RoomLayers.h"
#include "Room/RunningRooms.h"
#include "Variable/CInstance.h"
#include "Variable/InstancePool.h"

namespace {

// A persistent instance on its way to the next room, with the name of the layer it was on.
struct HeldInstance {
    CInstance* instance;
    std::string layer_name;
};

// Never destroyed, as the rooms' copies are not: ending the game frees them.
std::vector<HeldInstance>& Held() {
    static auto* held = new std::vector<HeldInstance>;
    return *held;
}

std::unique_ptr<CRoom> BuildRoom(int32_t index, const PackageRoom& record) {
    auto room = std::make_unique<CRoom>();
    room->index = index;
    room->name = record.name;
    room->caption = record.caption;
    room->width = int32_t(record.width);
    room->height = int32_t(record.height);
    // A room that claims no speed runs at one frame a second rather than not at all.
    room->speed = record.speed < 1 ? 1 : int32_t(record.speed);
    room->persistent = record.persistent;
    room->colour = record.colour;
    room->draw_colour = record.draw_colour;
    room->creation_code = record.creation_code;
    room->clear_with_window_colour = record.clear_with_window_colour;
    room->clear_display = record.clear_display;
    LoadRoomViews(*room, record);
    LoadRoomBackgrounds(*room, record);

    std::unordered_map<uint32_t, const RoomLayer*> layer_of_instance;
    for (const RoomLayer& source : record.layers) {
        CLayer& layer = room->AddLayer(int32_t(source.id), source.depth, std::string(source.name));
        layer.x_offset = source.x_offset;
        layer.y_offset = source.y_offset;
        layer.speed_x = source.speed_x;
        layer.speed_y = source.speed_y;
        layer.visible = source.visible;
        AddPackageElements(layer, source);
        for (uint32_t id : source.instance_ids) layer_of_instance.emplace(id, &source);
    }
    for (size_t i = 0; i < record.instances.size(); ++i) {
        const package::RoomInstanceRecord& source = record.instances[i];
        const CObject* object = Objects().Find(source.object);
        if (!object) continue;
        auto on_layer = layer_of_instance.find(source.id);
        const RoomLayer* layer = on_layer == layer_of_instance.end() ? nullptr : on_layer->second;
        // An instance placed on a layer draws at the layer's depth.
        float depth = float(layer ? layer->depth : object->depth);
        CInstance* instance = AddInstance(*room, int32_t(source.id), source.object, float(source.x),
                                          float(source.y), depth, layer ? int32_t(layer->id) : -1);
        instance->image_xscale = source.scale_x;
        instance->image_yscale = source.scale_y;
        instance->image_speed = source.image_speed;
        instance->image_index = source.image_index;
        instance->image_blend = source.colour & 0xFFFFFF;
        instance->image_alpha = float(source.colour >> 24) / 255.0f;
        instance->image_angle = source.rotation;
        // Set here, not through the setters: the box must follow them.
        instance->MarkBoxDirty();
        room->pending_creations.push_back({instance->id, int32_t(i)});
    }
    return room;
}

void RunInstanceCode(CInstance* instance, const CodeEntry* code) {
    if (!code || !code->event) return;
    const CObject* object = Objects().Find(instance->object_index);
    RunningCodeScope running({RunningCode::Kind::ObjectEvent, code->name,
                              object ? object->name.data() : nullptr, ev_create, 0, 0});
    code->event(instance, instance);
}

void RunCreationEvents(CRoom& room) {
    const PackageRoom& record = *RoomRecord(room.index);
    for (const PendingCreation& pending : room.pending_creations) {
        CInstance* instance = FindInstanceById(pending.id);
        if (!instance || instance->IsMarked()) continue;
        if (instance->Has(INSTANCE_FLAG_SKIP_CREATION)) {
            instance->flags &= ~INSTANCE_FLAG_SKIP_CREATION;
            continue;
        }
        const InstanceCode* code = size_t(pending.record_index) < record.instance_code.size()
                                       ? &record.instance_code[size_t(pending.record_index)]
                                       : nullptr;
        PerformEvent(instance, instance, ev_pre_create, 0);
        if (code) RunInstanceCode(instance, code->pre_create);
        PerformEvent(instance, instance, ev_create, 0);
        if (code) RunInstanceCode(instance, code->creation);
        instance->flags |= INSTANCE_FLAG_CREATED;
    }
    room.pending_creations.clear();
    room.pending_creations.shrink_to_fit();
}

void RunRoomCreationCode(const CRoom& room) {
    const CodeEntry* code = CodeEntryAt(room.creation_code);
    if (!code || !code->event) return;
    CInstance temporary(0, -1);
    CurrentEvent& current = CurrentEventState();
    const CurrentEvent saved = current;
    current = {-1, -2, -1};
    {
        RunningCodeScope running({RunningCode::Kind::RoomCreation, code->name, room.name.data(), -2, -1, 0});
        code->event(&temporary, &temporary);
    }
    current = saved;
}

// Held persistent instances join the room; one whose id the room already has takes that
// instance's place, so the record's instances stay ahead of those made at run time.
void BringInHeld(CRoom& room, bool fresh) {
    for (HeldInstance& held : Held()) {
        CInstance* instance = held.instance;
        CLayer* layer = room.FindLayer(std::string_view(held.layer_name));
        const int32_t layer_id = layer ? layer->id : -1;
        if (CInstance* existing = FindInstanceById(instance->id)) {
            if (fresh) instance->flags |= INSTANCE_FLAG_SKIP_CREATION;
            ReplaceInstance(room, existing, instance, layer_id);
        } else {
            LinkInstance(room, instance, layer_id);
        }
    }
    Held().clear();
}

void StartRoom(int32_t index, bool first) {
    RunnerState& runner = Runner();
    runner.pending_room = PENDING_NONE;
    runner.current_room = index;
    std::unique_ptr<CRoom>& slot = RunningRoomSlot(index);
    const bool fresh = !slot;
    if (fresh) {
        slot = BuildRoom(index, *RoomRecord(index));
    } else {
        for (CInstance* instance : slot->active.View()) EnterInWorld(instance);
        for (CInstance* instance : slot->deactivated) EnterInWorld(instance);
    }
    CRoom& room = *slot;
    SetCurrentRoom(&room);
    BringInHeld(room, fresh);
    if (fresh) RunCreationEvents(room);
    RemoveMarkedInstances();
    if (first) {
        RunEventPass(ev_other, ev_game_start);
        RemoveMarkedInstances();
    }
    if (fresh) RunRoomCreationCode(room);
    if (first && runner.end_after_first_creation_code) return;
    RunEventPass(ev_other, ev_room_start);
    RemoveMarkedInstances();
}

void EndRoom(bool game_ending) {
    CRoom* room = CurrentRoom();
    if (!room) return;
    RunnerState& runner = Runner();
    RemoveMarkedInstances();
    const int32_t saved_request = runner.pending_room;
    runner.pending_room = PENDING_NONE; // the room's last events are not filtered
    RunEventPass(ev_other, ev_room_end);
    RemoveMarkedInstances();
    if (game_ending) {
        RunEventPass(ev_other, ev_game_end);
        RemoveMarkedInstances();
    }
    runner.pending_room = saved_request;

    // Nothing of this room's motion matters now; emptied, the lists cost nothing to leave.
    TakeChangedInstances();
    std::vector<CInstance*> travelling;
    for (CInstance* instance : room->active.View())
        if (instance->IsLive() && instance->Has(INSTANCE_FLAG_PERSISTENT)) travelling.push_back(instance);
    for (CInstance* instance : travelling) {
        const CLayer* layer = room->FindLayer(instance->layer);
        Held().push_back({instance, layer ? layer->name : std::string()});
        UnlinkInstance(*room, instance);
    }
    // A persistent room sleeps with its instances; any other is rebuilt on the next visit.
    std::vector<CInstance*> leaving(room->active.View().begin(), room->active.View().end());
    leaving.insert(leaving.end(), room->deactivated.begin(), room->deactivated.end());
    LeaveWorld(leaving);
    if (!room->persistent) RunningRoomSlot(room->index).reset();
    SetCurrentRoom(nullptr);
}

void ReportMissingRoom(int32_t index) {
    ShowError(("Unexisting room number: " + std::to_string(index)).c_str(), false);
}

} // namespace

void PrepareRooms(const GamePackage* package) {
    SetRoomRecords(package);
    if (!package) return;
    LastInstanceId() = int32_t(package->header.last_instance_id);
    for (const auto& room : package->rooms)
        if (room)
            for (const RoomLayer& layer : room->layers) SetHighestPackageLayerId(int32_t(layer.id));
}

void StartGame() {
    RunnerState& runner = Runner();
    Objects().BuildEventLists();
    PrepareCollisionEvents(runner.collision_events_through_grid);
    runner.frame_counter = 0;
    runner.frames_drawn = 0;
    runner.current_room = -1;
    ClearRunningRooms();
    if (runner.room_order.empty()) return;
    const int32_t first = runner.room_order.front();
    if (!RoomRecord(first)) {
        ReportMissingRoom(first);
        runner.pending_room = PENDING_ABORT_GAME;
        return;
    }
    runner.pending_room = first;
    StartRoom(first, true);
    if (runner.end_after_first_creation_code) return;
    // The first room may hand over to another before any frame runs.
    if (const int32_t next = runner.pending_room; next >= 0) {
        if (!RoomRecord(next)) return; // the end of the first frame reports it
        DebugOutput().Printf("SwitchRoom to %s\n", std::string(RoomRecord(next)->name).c_str());
        EndRoom(false);
        StartRoom(next, false);
    }
}

void EndGame() {
    EndRoom(true);
    ClearRunningRooms();
    for (HeldInstance& held : Held()) FreeInstance(held.instance);
    Held().clear();
    Runner().current_room = -1;
}

void ChangeRoom(int32_t index) {
    RunnerState& runner = Runner();
    const PackageRoom* record = RoomRecord(index);
    if (!record) {
        ReportMissingRoom(index);
        runner.pending_room = PENDING_ABORT_GAME;
        runner.running = false;
        return;
    }
    DebugOutput().Printf("SwitchRoom to %s\n", std::string(record->name).c_str());
    EndRoom(false);
    StartRoom(index, false);
}
