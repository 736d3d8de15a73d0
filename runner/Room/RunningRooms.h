// The rooms the game plays in: the package's room records, the running copy of each room that
// has one (a persistent room keeps its copy while the player is away) and the current room.
// Room changes fill them; the instances' world and the built-ins read them.
#pragma once

#include <cstdint>
#include <memory>

#include "Package/GamePackage.h"
#include "Room/CRoom.h"

// Keeps the package's rooms (not copied); null forgets them.
void SetRoomRecords(const GamePackage* package);
// The package's record of a room; null for an index that names none.
const PackageRoom* RoomRecord(int32_t index);

// The running room; null before the first room and after the game ended.
CRoom* CurrentRoom();
void SetCurrentRoom(CRoom* room);
// The running copy of a room, or null.
CRoom* RunningRoom(int32_t index);
// Where a room's running copy is kept.
std::unique_ptr<CRoom>& RunningRoomSlot(int32_t index);
// Frees every running copy.
void ClearRunningRooms();

// The room after (before) the current one in the room order, or -1.
int32_t NextRoomInOrder();
int32_t PreviousRoomInOrder();
