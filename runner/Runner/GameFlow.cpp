#include "Runner/GameFlow.h"

#include <string>

#include "Code/CodeTable.h"
#include "Code/RunningCode.h"
#include "Code/RuntimeError.h"
#include "Runner/RunnerState.h"

namespace {

const ResourceList<PackageRoom>* g_rooms = nullptr;

const PackageRoom* RoomAt(int32_t index) {
    if (!g_rooms || index < 0 || static_cast<size_t>(index) >= g_rooms->size()) return nullptr;
    const std::optional<PackageRoom>& room = (*g_rooms)[static_cast<size_t>(index)];
    return room ? &*room : nullptr;
}

void RunCreationCode(const PackageRoom& room) {
    const CodeEntry* code = CodeEntryAt(room.creation_code);
    if (!code || !code->event) return;
    std::string room_name(room.name);
    RunningCodeScope running({RunningCode::Kind::RoomCreation, code->name, room_name.c_str(), -2, -1, 0});
    code->event(nullptr, nullptr);
}

} // namespace

void SetGameRooms(const ResourceList<PackageRoom>* rooms) { g_rooms = rooms; }

void StartGame() {
    RunnerState& runner = Runner();
    runner.frame_counter = 0;
    runner.frames_drawn = 0;
    runner.current_room = -1;
    runner.pending_room = PENDING_NONE;
    if (!runner.room_order.empty()) GotoRoom(runner.room_order.front());
}

void EndGame() {
    Runner().current_room = -1;
    Runner().current_room_speed = 0;
}

void GotoRoom(int32_t index) {
    RunnerState& runner = Runner();
    runner.pending_room = PENDING_NONE;
    const PackageRoom* room = RoomAt(index);
    if (!room) {
        ShowError(("Unexisting room number: " + std::to_string(index)).c_str(), true);
        runner.pending_room = PENDING_ABORT_GAME;
        return;
    }
    runner.current_room = index;
    // A room that claims no speed runs at one frame a second rather than not at all.
    runner.current_room_speed = room->speed < 1 ? 1 : static_cast<int32_t>(room->speed);
    RunCreationCode(*room);
}
