// What a layer holds besides instances: backgrounds, sprites, tile maps and the tiles of older
// projects. Sprites and tiles keep their package records; backgrounds animate, and tile maps
// change under the game's hands.
#pragma once

#include <cstdint>
#include <variant>

#include "Package/PackageRoom.h"

struct BackgroundElement {
    int32_t sprite = -1;
    bool visible = true;
    bool foreground = false;
    bool tile_x = false;
    bool tile_y = false;
    bool stretch = false;
    uint32_t blend = 0xFFFFFF;
    float alpha = 1;
    float frame = 0;
    float animation_speed = 0;
    uint32_t speed_type = 0; // CSprite::kFramesPerSecond or kFramesPerGameFrame
};

struct TileMapElement {
    float x = 0;
    float y = 0;
    TileMap map;
};

// Instance elements hold nothing here: the element's instance pointer says it all.
using LayerAsset = std::variant<std::monostate, BackgroundElement, SpriteElement, TileMapElement,
                                package::LegacyTileRecord>;
