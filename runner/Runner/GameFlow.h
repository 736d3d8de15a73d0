// Starting and ending the game and changing rooms, as the frame loop asks for them. Rooms
// come from the room order of the package; what entering a room runs is the room subsystem's.
#pragma once

#include <cstdint>

// Enters the first room of the room order.
void StartGame();
// Ends the current room and the game.
void EndGame();
// Carries out a request for room `index`; an index that names no room aborts the game.
void GotoRoom(int32_t index);
