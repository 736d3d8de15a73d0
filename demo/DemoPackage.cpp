// Everything in the demo package but the room's layout.
#include "DemoPackage.h"

#include <stdexcept>
#include <string>

#include "Code/EventNames.h"
#include "Code/GameConstants.h"
#include "DemoArt.h"
#include "DemoAssets.h"
#include "TexturePageBuilder.h"

namespace {

using namespace demo;

int32_t CodeIndex(const GameLink& game, const std::string& name) {
    for (int32_t i = 0; i < game.code_count; ++i)
        if (name == game.code[i].name) return i;
    throw std::runtime_error("the demo game has no " + name);
}

PackageSprite Sprite(std::string_view name, const PixelImage& frame, int32_t origin_x,
                     int32_t origin_y, std::vector<int32_t> frames) {
    PackageSprite sprite;
    sprite.name = name;
    sprite.width = uint32_t(frame.width);
    sprite.height = uint32_t(frame.height);
    sprite.bbox_right = frame.width - 1;
    sprite.bbox_bottom = frame.height - 1;
    sprite.transparent = true;
    sprite.origin_x = origin_x;
    sprite.origin_y = origin_y;
    sprite.frames = std::move(frames);
    return sprite;
}

// The pictures on one page, and the sprites and the tile set made of them, in asset order.
void AddPictures(GamePackage& package) {
    TexturePageBuilder pages(256);
    const PixelImage flake = FlakeArt(), ball = BallArt(), sky = SkyArt(),
                     mountains = MountainArt();
    const std::vector<PixelImage> walker = WalkerArt();
    const int32_t flake_entry = pages.AddFrame(flake);
    const int32_t walker_entries[] = {pages.AddFrame(walker[0]), pages.AddFrame(walker[1])};
    const int32_t ball_entry = pages.AddFrame(ball);
    const int32_t sky_entry = pages.AddFrame(sky);
    const int32_t mountain_entry = pages.AddFrame(mountains);
    const int32_t tiles_entry = pages.AddFrame(SnowTileSetArt(), false); // tiles are found by place
    pages.Write(package);

    package.sprites.resize(kSpriteMountains + 1);
    package.sprites[kSpriteFlake] = Sprite("sFlake", flake, 3, 3, {flake_entry});
    PackageSprite walking =
        Sprite("sWalker", walker[0], 6, 16, {walker_entries[0], walker_entries[1]});
    walking.playback_speed = 6; // frames per second
    package.sprites[kSpriteWalker] = walking;
    package.sprites[kSpriteBall] = Sprite("sBall", ball, 4, 4, {ball_entry});
    package.sprites[kSpriteSky] = Sprite("sSky", sky, 0, 0, {sky_entry});
    package.sprites[kSpriteMountains] = Sprite("sMountains", mountains, 0, 0, {mountain_entry});

    PackageBackground tiles;
    tiles.name = "tsSnow";
    tiles.transparent = true;
    tiles.texture_page = tiles_entry;
    tiles.tile_width = tiles.tile_height = kTileSize;
    tiles.columns = kTileColumns;
    tiles.tile_count = kTileCount;
    for (uint32_t tile = 0; tile < kTileCount; ++tile)
        tiles.frames.push_back(tile);
    package.backgrounds = {tiles};
}

struct ObjectSpec {
    std::string_view name;
    int32_t sprite;
    std::vector<EventKey> events;
};

void AddObjects(const GameLink& game, GamePackage& package) {
    const ObjectSpec specs[] = {
        {"oFlake", kSpriteFlake, {{ev_create, 0}, {ev_step, ev_step_normal}}},
        {"oWalker", kSpriteWalker, {{ev_step, ev_step_normal}}},
        {"oBall", kSpriteBall, {{ev_create, 0}, {ev_step, ev_step_normal}}},
        {"oGlobe", -1, {{ev_create, 0}, {ev_draw, ev_draw_normal}}},
        {"oHud", -1, {{ev_draw, ev_draw_end}}},
    };
    for (const ObjectSpec& spec : specs) {
        PackageObject object;
        object.name = spec.name;
        object.sprite_index = spec.sprite;
        for (const EventKey& key : spec.events)
            object.events[key] =
                CodeIndex(game, "psl_Object_" + std::string(spec.name) + "_" +
                                    EventTypeName(key.type) + "_" + std::to_string(key.subtype));
        package.objects.emplace_back(object);
    }
}

} // namespace

void BuildDemoPackage(const GameLink& game, GamePackage& package) {
    PackageHeader& header = package.header;
    header.game_name = "SnowtideDemo";
    header.display_name = "Snowtide demo";
    header.window_width = kViewWidth;
    header.window_height = kViewHeight;
    header.game_speed = 60;
    header.room_order = {0};
    for (int32_t i = 0; i < game.code_count; ++i)
        package.code.push_back({game.code[i].name, {}, 0, 0});
    AddPictures(package);
    AddObjects(game, package);
    PackageRoom room = DemoRoom(CodeIndex(game, "psl_Room_rmDemo_Create"));
    header.last_instance_id = room.instances.back().id;
    package.rooms.emplace_back(std::move(room));
}
