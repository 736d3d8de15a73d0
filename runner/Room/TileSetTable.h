// The running game's tile sets (backgrounds), by index: the package's records with the size of
// their whole image. Tile maps check their cells against a tile set's tile count.
#pragma once

#include <cstdint>

#include "Package/GamePackage.h"

struct TileSet {
    const PackageBackground* source; // tile size, columns, border, tile count, frame table
    int32_t width;                   // of the whole image, from its texture page entry
    int32_t height;
};

// Replaces the table; the package must outlive it.
void LoadTileSets(const GamePackage& package);
void ClearTileSets();
// Null when the index names no tile set.
const TileSet* GetTileSet(int32_t index);
