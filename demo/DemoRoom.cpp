// The demo's room: a night sky, mountains repeated across, big faint flakes hanging in the air,
// the snowy ground and ledges of the tile map, and the walker, the snowballs, the snow globe and
// the minimap's frame. The main view follows the walker; the minimap shows the whole room.
#include <iterator>
#include <stdexcept>
#include <string>

#include "DemoArt.h"
#include "DemoAssets.h"
#include "DemoPackage.h"

namespace {

using namespace demo;
using namespace package;

// One character a cell: '.' nothing, '=' snow on top, '#' ground, 'B' ice bricks, 'T' a pine
// and 't' one mirrored, '^' spikes and 'v' spikes flipped into icicles, '>' the snow top turned
// to face right and '<' flipped and turned to face left, '%' bricks with all three flags.
constexpr const char* kMap[] = {
    "........................................", "........................................",
    "........................................", "........................................",
    "........................................", "........................................",
    "........................................", "........................................",
    "........................................", "........................................",
    "........................................", "...............T.t......................",
    "..............=====.....................", "..............vvvvv...==...........t.T..",
    "......T..............<BB>........======.", ".....===.............<BB>........vvvvvv.",
    ".....vvv.............<BB>...............", ".....................<BB>...............",
    "..T.t....^^^.........<BB>....t.T..%..T..", "========================================",
    "########################################", "########################################",
    "########################################",
};
constexpr uint32_t kMapWidth = kRoomWidth / kTileSize;
constexpr uint32_t kMapHeight = std::size(kMap);

uint32_t Cell(char key) {
    switch (key) {
    case '.': return 0;
    case '=': return kTileSnowTop;
    case '#': return kTileGround;
    case 'B': return kTileIceBricks;
    case 'T': return kTilePine;
    case 't': return kTilePine | kTileMirror;
    case '^': return kTileSpikes;
    case 'v': return kTileSpikes | kTileFlip;
    case '>': return kTileSnowTop | kTileRotate;
    case '<': return kTileSnowTop | kTileFlip | kTileRotate;
    case '%': return kTileIceBricks | kTileMirror | kTileFlip | kTileRotate;
    default: throw std::invalid_argument(std::string("no tile for '") + key + "'");
    }
}

TileMap Map() {
    TileMap map{0, kMapWidth, kMapHeight, {}};
    for (const char* row : kMap) {
        if (std::char_traits<char>::length(row) != kMapWidth)
            throw std::invalid_argument("a map row of the wrong width");
        for (uint32_t column = 0; column < kMapWidth; ++column)
            map.cells.push_back(Cell(row[column]));
    }
    return map;
}

RoomLayer Layer(std::string_view name, uint32_t id, uint32_t type, int32_t depth) {
    RoomLayer layer;
    layer.name = name;
    layer.id = id;
    layer.type = type;
    layer.depth = depth;
    return layer;
}

LayerBackgroundRecord Background(int32_t sprite, bool across, bool stretch) {
    return {1, 0, sprite, across, 0, stretch, 0xFFFFFFFF, 0, 0, 0};
}

SpriteElement BigFlake(float x, float y, float scale, float rotation) {
    return {"bigFlake", kSpriteFlake, x, y, scale, scale, 0x50FFFFFF, 0, 0, 0, rotation};
}

} // namespace

PackageRoom DemoRoom(int32_t creation_code) {
    PackageRoom room;
    room.name = "rmDemo";
    room.caption = "Snowtide demo";
    room.width = kRoomWidth;
    room.height = kRoomHeight;
    room.speed = 60;
    room.colour = 0x301810;
    room.creation_code = creation_code;
    room.views_enabled = true;
    room.views = {
        {1, 0, 0, kViewWidth, kViewHeight, 0, 0, kViewWidth, kViewHeight, 32, 32, -1, -1, -1},
        {1, 0, 0, kRoomWidth, kRoomHeight, kViewWidth - kMinimapWidth - 4, 4, kMinimapWidth,
         kMinimapHeight, 0, 0, -1, -1, -1},
    };

    struct Placed {
        int32_t x, y;
        Object object;
    };
    constexpr Placed kPlaced[] = {
        {100, kGroundY, kObjectWalker},
        {80, 200, kObjectBall},
        {250, 150, kObjectBall},
        {420, 230, kObjectBall},
        {560, 120, kObjectBall},
        {450, 200, kObjectGlobe},
        {0, 0, kObjectHud},
    };
    RoomLayer instances = Layer("Instances", 5, kLayerInstances, 0);
    uint32_t id = 100000;
    for (const Placed& placed : kPlaced) {
        RoomInstanceRecord record{};
        record.x = placed.x;
        record.y = placed.y;
        record.object = placed.object;
        record.id = ++id;
        record.creation_code = record.pre_create_code = -1;
        record.scale_x = record.scale_y = record.image_speed = 1;
        record.colour = 0xFFFFFFFF;
        room.instances.push_back(record);
        instances.instance_ids.push_back(id);
    }

    RoomLayer sky = Layer("Sky", 1, kLayerBackground, 1000);
    sky.background = Background(kSpriteSky, false, true);
    RoomLayer mountains = Layer("Mountains", 2, kLayerBackground, 900);
    mountains.background = Background(kSpriteMountains, true, false);
    mountains.y_offset = float(kGroundY) - float(kMountainHeight);
    RoomLayer air = Layer("Air", 3, kLayerAssets, 600);
    air.asset_sprites = {BigFlake(90, 200, 5, 10), BigFlake(300, 180, 4, -20),
                         BigFlake(520, 230, 6, 30)};
    RoomLayer tiles = Layer("Tiles", 4, kLayerTiles, 500);
    tiles.tile_map = Map();
    room.layers = {sky, mountains, air, tiles, instances};
    return room;
}
