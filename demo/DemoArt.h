// The demo's pictures: our own pixel art of a snowy night.
#pragma once

#include <vector>

#include "PixelImage.h"

namespace demo {

// The tile set's tiles, each 16x16, four to a row; tile 0 stays clear. Opaque tiles reach the
// set's top, right, bottom and left edges, so that trimming on the texture page keeps it whole.
enum Tile : uint32_t { kTileSnowTop = 1, kTilePine, kTileIceBricks, kTileGround, kTileSpikes };
constexpr uint32_t kTileSize = 16;
constexpr uint32_t kTileColumns = 4;
constexpr uint32_t kTileCount = 8;

PixelImage FlakeArt();               // 7x7
std::vector<PixelImage> WalkerArt(); // two 12x16 frames, facing right
PixelImage BallArt();                // 8x8
PixelImage SkyArt();                 // a 1x12 gradient, to be stretched
constexpr uint32_t kMountainHeight = 80;
PixelImage MountainArt();    // 96 wide, repeats seamlessly across
PixelImage SnowTileSetArt(); // kTileColumns x 2 tiles

} // namespace demo
