#include "TileSetSource.h"

#include <sstream>

TileSetSource ReadTileSet(const AssetDocument& document, const std::string& name, const Palette& shared) {
    document.ExpectKeys({"columns", "palette", "sheet", "animate"});
    TileSetSource tiles;
    tiles.name = name;
    Palette palette = shared;
    if (const AssetEntry* own = document.Find("palette")) {
        own->ExpectArgs(0, 0);
        palette.AddLines(own->body);
    }
    const AssetEntry& sheet = document.Require("sheet");
    sheet.ExpectArgs(0, 0);
    sheet.ExpectBody();
    tiles.sheet = ImageFromRows(sheet.body, palette);
    if (tiles.sheet.width % kTileSize != 0 || tiles.sheet.height % kTileSize != 0)
        sheet.Fail("the sheet is " + std::to_string(tiles.sheet.width) + "x" + std::to_string(tiles.sheet.height) +
                   " pixels, not whole 16 x 16 tiles");
    tiles.columns = tiles.sheet.width / kTileSize;
    if (const AssetEntry* columns = document.Find("columns")) {
        columns->ExpectArgs(1, 1);
        if (columns->Int(0) <= 0 || columns->Int(0) > tiles.columns)
            columns->FailAt(0, "the sheet is " + std::to_string(tiles.columns) + " tiles across");
        tiles.columns = columns->Int(0);
    }
    tiles.tile_count = tiles.columns * (tiles.sheet.height / kTileSize);

    std::vector<std::vector<uint32_t>> animated(size_t(tiles.tile_count));
    if (const AssetEntry* animate = document.Find("animate")) {
        animate->ExpectArgs(1, 1);
        animate->ExpectBody();
        tiles.frame_time_ms = animate->Int(0);
        if (tiles.frame_time_ms <= 0) animate->FailAt(0, "a frame lasts a positive number of milliseconds");
        for (const AssetLine& line : animate->body) {
            std::istringstream words(line.text);
            std::vector<uint32_t> shown;
            long tile = 0;
            while (words >> tile) {
                if (tile < 0 || tile >= tiles.tile_count)
                    throw AssetError(line.spot, "the sheet has no tile " + std::to_string(tile));
                shown.push_back(uint32_t(tile));
            }
            if (!words.eof() || shown.size() < 2)
                throw AssetError(line.spot, "an animation line is a tile and the tiles it shows in turn");
            const uint32_t first = shown.front();
            shown.erase(shown.begin());
            if (tiles.frames_per_tile > 1 && int(shown.size()) != tiles.frames_per_tile)
                throw AssetError(line.spot, "every animation line shows " + std::to_string(tiles.frames_per_tile) + " tiles");
            if (!animated[first].empty()) throw AssetError(line.spot, "tile " + std::to_string(first) + " is already animated");
            tiles.frames_per_tile = int(shown.size());
            animated[first] = std::move(shown);
        }
    }
    for (int t = 0; t < tiles.tile_count; ++t)
        for (int f = 0; f < tiles.frames_per_tile; ++f)
            tiles.frames.push_back(animated[size_t(t)].empty() ? uint32_t(t) : animated[size_t(t)][size_t(f)]);
    return tiles;
}
