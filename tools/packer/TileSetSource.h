// A tile set as its asset file writes it: a sheet of 16 x 16 tiles drawn as palette rows, tile n
// at column n mod columns and row n div columns (tile 0 is never drawn: a tile map cell of 0 is
// empty), and optionally tiles that animate:
//
//     columns 4                (tiles across the sheet; the sheet's width in tiles by default)
//     palette
//       s #dfe8f0
//     sheet
//       ................ssssssss...
//       ...
//     animate 250              (milliseconds a frame)
//       5 5 21 22              (tile 5 shows 5, 21, 22 in turn; every line as long)
//
// A tile that no line animates shows itself in every frame.
#pragma once

#include <string>
#include <vector>

#include "PixelImage.h"

inline constexpr int kTileSize = 16;

struct TileSetSource {
    std::string name;
    PixelImage sheet;
    int columns = 0;
    int tile_count = 0;
    int frames_per_tile = 1;
    int frame_time_ms = 0;
    std::vector<uint32_t> frames; // tile_count x frames_per_tile
};

TileSetSource ReadTileSet(const AssetDocument& document, const std::string& name, const Palette& shared);
