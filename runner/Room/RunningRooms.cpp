#include "Room/RunningRooms.h"

#include <vector>

#include "Base/RunnerState.h"

namespace {

const GamePackage* g_records = nullptr;
CRoom* g_current = nullptr;

// Never destroyed: a process that exits in mid-game (after a fatal script error) must not free
// instances once the pools their variables return to are gone. Ending the game frees them.
std::vector<std::unique_ptr<CRoom>>& Copies() {
    static auto* copies = new std::vector<std::unique_ptr<CRoom>>;
    return *copies;
}

} // namespace

void SetRoomRecords(const GamePackage* package) { g_records = package; }

const PackageRoom* RoomRecord(int32_t index) {
    if (!g_records || index < 0 || size_t(index) >= g_records->rooms.size()) return nullptr;
    const std::optional<PackageRoom>& room = g_records->rooms[size_t(index)];
    return room ? &*room : nullptr;
}

CRoom* CurrentRoom() { return g_current; }

void SetCurrentRoom(CRoom* room) { g_current = room; }

CRoom* RunningRoom(int32_t index) {
    return size_t(index) < Copies().size() ? Copies()[size_t(index)].get() : nullptr;
}

std::unique_ptr<CRoom>& RunningRoomSlot(int32_t index) {
    if (size_t(index) >= Copies().size()) Copies().resize(size_t(index) + 1);
    return Copies()[size_t(index)];
}

void ClearRunningRooms() { Copies().clear(); }

// The order is searched from its far end for "next" and from its start for "previous", so
// a room listed twice moves as it always has.
int32_t NextRoomInOrder() {
    const std::vector<int32_t>& order = Runner().room_order;
    for (size_t i = order.size() >= 2 ? order.size() - 1 : 0; i-- > 0;)
        if (order[i] == Runner().current_room) return order[i + 1];
    return -1;
}

int32_t PreviousRoomInOrder() {
    const std::vector<int32_t>& order = Runner().room_order;
    for (size_t i = 1; i < order.size(); ++i)
        if (order[i] == Runner().current_room) return order[i - 1];
    return -1;
}
