// Starting and ending the game and changing rooms, as the frame loop asks for them. Entering a
// room runs its creation code; the room subsystem adds its instances, layers and events.
#pragma once

#include <cstdint>

#include "Runner/Package/GamePackage.h"

// The rooms of the loaded package; null when none is loaded.
void SetGameRooms(const ResourceList<PackageRoom>* rooms);
// Enters the first room of the room order.
void StartGame();
// Ends the current room and the game.
void EndGame();
// Carries out a request for room `index`; an index that names no room aborts the game.
void GotoRoom(int32_t index);
