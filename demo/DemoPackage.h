// The demo's package: header and options for a 320x180 window at 60 frames a second, the
// pictures on one texture page, the sprites and tile set cut from it, the objects with the
// handlers of the linked demo game, and the one room. Throws std::runtime_error when an object
// names a handler that the game lacks.
#pragma once

#include "Package/GameLink.h"
#include "Package/GamePackage.h"

void BuildDemoPackage(const GameLink& game, GamePackage& package);

// The room, laid out for the package's sprites, tile set and objects.
PackageRoom DemoRoom(int32_t creation_code);
