// The game's world made ready from a loaded package (sprites, objects, rooms, and instance
// look-ups by target) and released again at shut-down. Start-up's preparation steps call
// these, and so do tests that run a package in process.
#pragma once

#include "Package/GamePackage.h"

// Sprites, then the objects that name them.
void PrepareGameObjects(const GamePackage& package);
void PrepareGameRooms(const GamePackage& package);
// Ends the game if it runs, and forgets the world (the package may go after this).
void ReleaseGameWorld();
