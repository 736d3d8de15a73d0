// Rooms as the game moves through them: starting and ending the game, entering and leaving
// rooms in their fixed order of work, persistent rooms kept between visits and persistent
// instances carried from room to room, and the room order.
#pragma once

#include <cstdint>

#include "Room/CRoom.h"
#include "Runner/Package/GamePackage.h"

// Takes the package's rooms (kept, not copied) and the first instance id; null forgets them.
void PrepareRooms(const GamePackage* package);

// Builds the per-event lists and enters the first room of the room order.
void StartGame();
// Ends the running room with Room End and Game End, and frees every room.
void EndGame();
// Carries out a room change at the end of a frame.
void ChangeRoom(int32_t index);

// The running room; null before the first room and after the game ended.
CRoom* CurrentRoom();
// The running copy of a room (a persistent room keeps one while the player is away), or null.
CRoom* RunningRoom(int32_t index);
// The package's record of a room; null for an index that names none.
const PackageRoom* RoomRecord(int32_t index);
// The room after (before) the current one in the room order, or -1.
int32_t NextRoomInOrder();
int32_t PreviousRoomInOrder();
