// The sample package's contents.
#include "SamplePackage.h"

#include "Package/PackageFormat.h"

using namespace package;

namespace {

PackageTexture Texture(TextureEncoding encoding, uint32_t width, uint32_t height, uint8_t seed) {
    PackageTexture texture;
    texture.encoding = encoding;
    texture.width = width;
    texture.height = height;
    texture.flags = seed & 1;
    texture.mip_count = seed % 3;
    for (uint32_t i = 0; i < width * height * 4; ++i) {
        uint8_t value = uint8_t(i * 37 + seed * 11);
        // 16-bit pixels keep four bits per channel.
        texture.pixels.push_back(encoding == TextureEncoding::Raw16 ? uint8_t((value >> 4) * 17)
                                                                    : value);
    }
    return texture;
}

TexturePageEntry Entry(uint16_t x, uint16_t size, int16_t texture) {
    return {x, 1, size, size, 1, 2, size, size, uint16_t(size + 2), uint16_t(size + 3), texture};
}

} // namespace

std::string_view SamplePackage::Text(std::string text) {
    return texts_.emplace_back(std::move(text));
}

std::span<const uint8_t> SamplePackage::Bytes(std::vector<uint8_t> bytes) {
    return bytes_.emplace_back(std::move(bytes));
}

int32_t SamplePackage::AddCode(const std::string& name, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(0xA0 + i);
    tables.code.push_back(
        {Text(name), Bytes(std::move(bytes)), uint32_t(size % 3), uint32_t(size % 2)});
    return int32_t(tables.code.size() - 1);
}

SamplePackage::SamplePackage() {
    GamePackage& t = tables;
    PackageHeader& header = t.header;
    header.debug_disabled = true;
    header.config_name = Text("Default");
    header.last_instance_id = 100010;
    header.last_tile_id = 10000007;
    header.game_id = 4242;
    for (uint8_t i = 0; i < 16; ++i)
        header.guid[i] = uint8_t(0xF0 - i);
    header.game_name = Text("Snowtide");
    header.minor_version = 3;
    header.release = 1;
    header.build = 77;
    header.window_width = 320;
    header.window_height = 180;
    header.info_flags = kInfoFullScreen | 0x40;
    header.timestamp = 0x1234567890ull;
    header.display_name = Text("Snowtide Test");
    header.active_targets = 0x8000000000000001ull;
    header.function_classifications = 0x0F0F0F0F0F0F0F0Full;
    header.store_app_id = 9;
    header.debugger_port = 6502;
    header.room_order = {1, 0};
    header.game_speed = 50;

    PackageOptions& options = t.options;
    options.flags = kOptionFullScreen | kOptionNewAudio | kOptionShowCursor |
                    kOptionFreezeOnLostFocus | kOptionCreationEventOrder | kOptionFastCollision |
                    kOptionFastCollisionCompatibility;
    options.stored_scale = 80;
    options.window_colour = 0x102030;
    options.constants = {{Text("@@SleepMargin"), Text("4")},
                         {Text("@@DrawColour"), Text("0xFF8000")},
                         {Text("VersionMajor"), Text("1")},
                         {Text("VersionMinor"), Text("12")},
                         {Text("GRAVITY"), Text("0.5")}};
    options.sleep_margin_ms = 4;
    options.draw_colour = 0xFF8000;
    options.version_major = 1;
    options.version_minor = 12;

    // Code: a script, object events, room and instance creation code.
    AddCode("psl_Script_move", 24);
    AddCode("psl_Object_oActor_Create_0", 16);
    AddCode("psl_Object_oChar_Step_0", 32);
    AddCode("psl_Room_rmSnow_Create", 12);
    AddCode("psl_RoomCC_rmSnow_0_Create", 8);
    t.scripts = {PackageScript{Text("move"), 0}, std::nullopt, PackageScript{Text("unused"), -1}};
    t.global_init_code = {3};
    t.game_end_code = {1, 2};
    t.variable_counts = {2, 2, 3};
    t.variables = {{Text("checkpoint"), kVariableKindGlobal, 0, {{2, 0}, {2, 12}}},
                   {Text("hp"), kVariableKindInstance, 1, {{0, 8}, {1, 4}, {2, 20}}},
                   {Text("i"), kVariableKindLocal, 0, {}}};
    t.functions = {{Text("move"), {{2, 4}}}, {Text("floor"), {{0, 0}, {0, 16}}}};
    t.code_locals = {{Text("psl_Script_move"), {{0, Text("i")}, {1, Text("arguments")}}},
                     {Text("psl_Object_oChar_Step_0"), {}}};

    // Textures, their entries, and what is cut from them.
    t.textures = {Texture(TextureEncoding::Png, 8, 6, 1), Texture(TextureEncoding::Raw32, 4, 4, 2),
                  std::nullopt, Texture(TextureEncoding::Raw16, 4, 2, 3)};
    t.texture_page_entries = {Entry(0, 4, 0), Entry(4, 4, 0), Entry(0, 4, 1), Entry(0, 2, 3),
                              Entry(0, 8, 0)};

    PackageSprite mireth;
    mireth.name = Text("sMireth");
    mireth.width = 12;
    mireth.height = 3;
    mireth.bbox_left = 1;
    mireth.bbox_right = 10;
    mireth.bbox_bottom = 2;
    mireth.bbox_top = 0;
    mireth.transparent = true;
    mireth.preload = true;
    mireth.bbox_mode = 2;
    mireth.mask_kind = kMaskPrecise;
    mireth.origin_x = 6;
    mireth.origin_y = 3;
    mireth.playback_speed = 8;
    mireth.playback_speed_type = 0;
    mireth.frames = {0, 1};
    mireth.masks = {{0xFF, 0xF0, 0x0F, 0xF0, 0x81, 0x80}, {0x00, 0x10, 0x7E, 0x70, 0xFF, 0xF0}};
    PackageSprite block;
    block.name = Text("sBlock");
    block.width = 4;
    block.height = 4;
    block.smooth = true;
    block.playback_speed = 1;
    block.playback_speed_type = 1;
    block.frames = {2};
    PackageSprite skeleton;
    skeleton.name = Text("sSkeleton");
    skeleton.type = kSpriteSkeletal;
    t.sprites = {mireth, std::nullopt, block, skeleton};

    PackageBackground snow;
    snow.name = Text("tsSnow");
    snow.smooth = true;
    snow.texture_page = 4;
    snow.tile_width = 2;
    snow.tile_height = 2;
    snow.border_x = 1;
    snow.border_y = 1;
    snow.columns = 2;
    snow.frames_per_tile = 2;
    snow.tile_count = 4;
    snow.frame_time_us = 250000;
    snow.frames = {0, 0, 1, 2, 2, 1, 3, 3};
    t.backgrounds = {snow};

    PackageFont text_font;
    text_font.name = Text("fntText");
    text_font.face = Text("Snow Sans");
    text_font.size = 12;
    text_font.bold = true;
    text_font.first_char = 32;
    text_font.charset = 1;
    text_font.antialias = 2;
    text_font.last_char = 126;
    text_font.texture_page = 3;
    text_font.scale_x = 1;
    text_font.scale_y = 2;
    text_font.glyphs = {{32, 0, 0, 1, 2, 3, 0, 0}, {65, 1, 0, 2, 2, 3, -1, 0}};
    PackageFont big_font = text_font;
    big_font.name = Text("fntBig");
    big_font.size = 12.5f;
    big_font.italic = true;
    big_font.antialias = -1;
    big_font.glyphs = {{9647, 0, 0, 2, 2, 2, 0, 0}};
    t.fonts = {text_font, big_font};

    t.audio = {Bytes({'O', 'g', 'g', 'S', 1, 2, 3}), Bytes({'R', 'I', 'F', 'F'})};
    t.audio_groups = {PackageAudioGroup{Text("audiogroup_default")},
                      PackageAudioGroup{Text("audiogroup_music")}};
    t.sounds = {
        PackageSound{Text("sndJump"), 100, Text(".wav"), Text("jump.wav"), 0, 0.75f, 1.25f, 0, 1},
        PackageSound{Text("sndSnow"), 101, Text(".ogg"), Text("snow.ogg"), 2, 0.5f, 1, 1, 0},
        std::nullopt};

    // Objects: a parent, a child with events (one collision with its parent), and a plain one.
    PackageObject actor;
    actor.name = Text("oActor");
    actor.depth = 10;
    actor.events = {{{0, 0}, 1}, {{7, 10}, -1}};
    actor.physics.uses_physics = true;
    actor.physics.shape = 2;
    actor.physics.density = 0.5f;
    actor.physics.restitution = 0.25f;
    actor.physics.group = 3;
    actor.physics.linear_damping = 0.125f;
    actor.physics.angular_damping = 0.0625f;
    actor.physics.friction = 0.75f;
    actor.physics.awake = false;
    actor.physics.kinematic = true;
    actor.physics.vertices = {{0, 0}, {4, 0}, {4, 4}};
    PackageObject character;
    character.name = Text("oChar");
    character.sprite_index = 0;
    character.mask_index = 2;
    character.solid = true;
    character.persistent = true;
    character.depth = -5;
    character.parent_index = 0;
    character.events = {{{3, 0}, 2}, {{4, 0}, -1}, {{8, 73}, 2}};
    PackageObject wall;
    wall.name = Text("oWall");
    wall.visible = false;
    wall.sprite_index = 2;
    t.objects = {actor, character, wall};

    PackageRoom snow_room;
    snow_room.name = Text("rmSnow");
    snow_room.caption = Text("Snow");
    snow_room.width = 640;
    snow_room.height = 360;
    snow_room.speed = 60;
    snow_room.persistent = true;
    snow_room.colour = 0x203040;
    snow_room.draw_colour = false;
    snow_room.creation_code = 3;
    snow_room.views_enabled = true;
    snow_room.clear_with_window_colour = true;
    snow_room.clear_display = false;
    snow_room.backgrounds = {{1, 0, 0, 5, 6, 1, 0, 2, -3, 1}, {0, 1, -1, 0, 0, 0, 1, 0, 0, 0}};
    snow_room.views = {{1, 0, 0, 320, 180, 0, 0, 640, 360, 32, 48, -1, 4, 1}};
    snow_room.instances = {{16, 32, 1, 100001, 4, 1, 1, 0.5f, 2, 0xFF00FF00, 90, -1},
                           {48, 32, 2, 100002, -1, -1, 2, 1, 0, 0x80FFFFFF, 0, 1}};
    snow_room.tiles = {{0, 0, 0, 2, 2, 2, 2, 100, 10000001, 1, 1, 0xFFFFFFFF}};
    snow_room.physics_world = true;
    snow_room.gravity_x = 0;
    snow_room.gravity_y = 10;
    snow_room.pixels_to_metres = 0.1f;
    RoomLayer backdrop;
    backdrop.name = Text("Backdrop");
    backdrop.id = 1;
    backdrop.type = kLayerBackground;
    backdrop.depth = 400;
    backdrop.speed_x = -0.5f;
    backdrop.background = {1, 0, 2, 1, 0, 1, 0x80FFEEDD, 0, 2, 1};
    RoomLayer actors;
    actors.name = Text("Instances");
    actors.id = 2;
    actors.type = kLayerInstances;
    actors.instance_ids = {100001, 100002};
    RoomLayer assets;
    assets.name = Text("Assets");
    assets.id = 3;
    assets.type = kLayerAssets;
    assets.depth = -100;
    assets.visible = false;
    assets.asset_tiles = {{8, 8, 0, 0, 0, 2, 2, -100, 10000002, 2, 2, 0xFF0000FF}};
    assets.asset_sprites = {{Text("spr_flake"), 2, 10, 20, 1, 1, 0xFFFFFFFF, 1, 0, 0, 45}};
    RoomLayer tiles;
    tiles.name = Text("Tiles");
    tiles.id = 4;
    tiles.type = kLayerTiles;
    tiles.depth = 100;
    tiles.x_offset = 8;
    tiles.y_offset = -8;
    tiles.tile_map = {0, 3, 2, {0, 1, 2 | kTileMirror, 3 | kTileFlip | kTileRotate, 0, 1}};
    snow_room.layers = {backdrop, actors, assets, tiles};
    PackageRoom end_room;
    end_room.name = Text("rmEnd");
    end_room.record_version = 1;
    t.rooms = {snow_room, end_room};

    t.strings = {Text("a string only the code uses")};
}

GameLink SamplePackage::Link() {
    code_table_.clear();
    for (const PackageCodeEntry& entry : tables.code)
        code_table_.push_back({Text(std::string(entry.name)).data(), nullptr, nullptr});
    variable_pairs_ = {{"checkpoint", 0}, {"hp", 1}, {nullptr, 0}};
    function_pairs_ = {{"move", -1}, {"floor", -1}, {nullptr, 0}};
    GameLink link;
    link.global_count = 2;
    link.instance_count = 2;
    link.variables = variable_pairs_.data();
    link.functions = function_pairs_.data();
    link.code = code_table_.data();
    link.code_count = int32_t(code_table_.size());
    return link;
}
