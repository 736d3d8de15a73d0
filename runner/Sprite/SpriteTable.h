// The running game's sprites, by index: made from the package at start-up and dropped at
// shut-down. Indices are the package's; an empty slot there stays empty here.
#pragma once

#include <cstdint>

#include "Package/GamePackage.h"

class CSprite;

// Replaces the table with one sprite per filled slot.
void LoadSprites(const ResourceList<PackageSprite>& sprites);
void ClearSprites();
// The sprite at that index, or null when the index names none.
CSprite* GetSprite(int32_t index);
// The number of slots, empty ones included.
int32_t SpriteCount();
