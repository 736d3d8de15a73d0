// Rooms as the game moves through them: starting and ending the game, entering and leaving
// rooms in their fixed order of work, persistent rooms kept between visits and persistent
// instances carried from room to room. The rooms themselves are kept in Room/RunningRooms,
// which this header brings along for the flow's callers.
#pragma once

#include <cstdint>

#include "Package/GamePackage.h"
#include "Room/RunningRooms.h"

// Takes the package's rooms (kept, not copied) and the first instance id; null forgets them.
void PrepareRooms(const GamePackage* package);

// Builds the per-event lists and enters the first room of the room order.
void StartGame();
// Ends the running room with Room End and Game End, and frees every room.
void EndGame();
// Carries out a room change at the end of a frame.
void ChangeRoom(int32_t index);
