// Rooms: the record, its lists of legacy backgrounds, views, instances and tiles, the physics
// world, and the layers with their backgrounds, instances, assets and tile maps.
#include "Code/NumberText.h"
#include "Package/PackageChunkReaders.h"

#include <algorithm>

using namespace package;

namespace {

// A list (count + references) of fixed records; the first `limit` are read.
template <class Record, class CheckRecord>
std::vector<Record> ReadRecords(PackageReadState& state, uint32_t list, const char* what,
                                size_t limit, CheckRecord check) {
    std::vector<Record> records;
    if (list == kNone) return records;
    const uint32_t count = state.bytes.Count(list, 4, what);
    records.reserve(std::min<size_t>(count, limit));
    for (uint32_t i = 0; i < count && i < limit; ++i) {
        PackageBytes::Context context(state.bytes, what, i);
        const uint64_t reference_at = uint64_t(list) + 4 + 4 * uint64_t(i);
        const uint32_t reference = state.bytes.Word(reference_at, what);
        state.NeedReference(reference, "record", reference_at);
        records.push_back(state.bytes.Read<Record>(reference, "record"));
        check(records.back(), reference);
    }
    return records;
}

void CheckLegacyTile(PackageReadState& state, const LegacyTileRecord& tile, uint64_t at) {
    state.CheckIndex(tile.background, state.package.backgrounds.size(), true, "background index",
                     at + offsetof(LegacyTileRecord, background));
}

void ReadTileMap(PackageReadState& state, uint64_t at, TileMap& map) {
    auto record = state.bytes.Read<TileLayerRecord>(at, "tile map");
    const auto& tile_sets = state.package.backgrounds;
    state.CheckIndex(record.tile_set, tile_sets.size(), true, "tile set index", at);
    map.tile_set = record.tile_set;
    map.width = record.width;
    map.height = record.height;
    const uint64_t cells_at = at + sizeof(TileLayerRecord);
    const uint64_t count = uint64_t(record.width) * record.height;
    state.bytes.NeedItems(cells_at, count, 4, "tile cells");
    map.cells.resize(count);
    const PackageBackground* tile_set = record.tile_set >= 0 && tile_sets[size_t(record.tile_set)]
                                            ? &*tile_sets[size_t(record.tile_set)]
                                            : nullptr;
    for (uint64_t i = 0; i < count; ++i) {
        map.cells[i] = state.bytes.Word(cells_at + 4 * i, "tile cell");
        // Tile 0 is the empty tile and never drawn.
        const uint32_t tile = map.cells[i] & kTileIndexMask;
        if (tile_set && tile != 0 && tile >= tile_set->tile_count)
            state.bytes.Fail("tile " + std::to_string(tile) + " is outside its tile set (" +
                                 std::to_string(tile_set->tile_count) + " tiles)",
                             cells_at + 4 * i);
    }
}

void ReadAssets(PackageReadState& state, uint64_t at, RoomLayer& layer) {
    auto record = state.bytes.Read<LayerAssetsRecord>(at, "asset lists");
    layer.asset_tiles = ReadRecords<LegacyTileRecord>(
        state, record.tiles, "tile", SIZE_MAX, [&](const LegacyTileRecord& tile, uint64_t tile_at) {
            CheckLegacyTile(state, tile, tile_at);
        });
    auto sprites = ReadRecords<SpriteElementRecord>(
        state, record.sprites, "sprite element", SIZE_MAX,
        [&](const SpriteElementRecord& element, uint64_t element_at) {
            state.CheckIndex(element.sprite, state.package.sprites.size(), true, "sprite index",
                             element_at + offsetof(SpriteElementRecord, sprite));
        });
    layer.asset_sprites.reserve(sprites.size());
    for (const SpriteElementRecord& element : sprites)
        layer.asset_sprites.push_back({state.bytes.String(element.name, "sprite element name"),
                                       element.sprite, element.x, element.y, element.scale_x,
                                       element.scale_y, element.colour, element.animation_speed,
                                       element.speed_type, element.frame, element.rotation});
}

RoomLayer ReadLayer(PackageReadState& state, uint32_t at) {
    auto record = state.bytes.Read<LayerRecord>(at, "layer record");
    RoomLayer layer;
    layer.name = state.bytes.String(record.name, "name");
    layer.id = record.id;
    layer.type = record.type;
    layer.depth = record.depth;
    layer.x_offset = record.x_offset;
    layer.y_offset = record.y_offset;
    layer.speed_x = record.speed_x;
    layer.speed_y = record.speed_y;
    layer.visible = record.visible != 0;
    const uint64_t body = uint64_t(at) + sizeof(LayerRecord);
    switch (record.type) {
    case kLayerBackground:
        layer.background = state.bytes.Read<LayerBackgroundRecord>(body, "background");
        state.CheckIndex(layer.background.sprite, state.package.sprites.size(), true,
                         "sprite index", body + offsetof(LayerBackgroundRecord, sprite));
        break;
    case kLayerInstances: layer.instance_ids = state.bytes.WordList(body, "instance ids"); break;
    case kLayerAssets: ReadAssets(state, body, layer); break;
    case kLayerTiles: ReadTileMap(state, body, layer.tile_map); break;
    default:
        state.bytes.Fail("layer type " + std::to_string(record.type) + " is unknown",
                         at + offsetof(LayerRecord, type));
    }
    return layer;
}

std::vector<RoomLayer> ReadLayers(PackageReadState& state, uint32_t list) {
    std::vector<RoomLayer> layers;
    if (list == kNone) return layers;
    const uint32_t count = state.bytes.Count(list, 4, "layers");
    layers.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        PackageBytes::Context context(state.bytes, "layer", i);
        const uint64_t reference_at = uint64_t(list) + 4 + 4 * uint64_t(i);
        const uint32_t reference = state.bytes.Word(reference_at, "layer");
        state.NeedReference(reference, "layer record", reference_at);
        layers.push_back(ReadLayer(state, reference));
    }
    return layers;
}

PackageRoom ReadRoom(PackageReadState& state, uint32_t at) {
    const GamePackage& package = state.package;
    auto record = state.bytes.Read<RoomRecord>(at, "room record");
    PackageRoom room;
    room.name = state.bytes.String(record.name, "name");
    room.caption = state.bytes.String(record.caption, "caption");
    room.width = record.width;
    room.height = record.height;
    room.speed = record.speed;
    room.persistent = record.persistent != 0;
    room.colour = record.colour;
    room.draw_colour = record.draw_colour != 0;
    room.creation_code = record.creation_code;
    state.CheckCodeIndex(record.creation_code, true, "creation code entry",
                         at + offsetof(RoomRecord, creation_code));
    room.views_enabled = (record.flags & kRoomViewsEnabled) != 0;
    room.clear_with_window_colour = (record.flags & kRoomClearWithWindowColour) != 0;
    room.clear_display = (record.flags & kRoomKeepDisplayBuffer) == 0;
    room.record_version = record.record_version;

    room.backgrounds = ReadRecords<RoomBackgroundRecord>(
        state, record.backgrounds, "background", kRoomSlotCount,
        [&](const RoomBackgroundRecord& background, uint64_t background_at) {
            state.CheckIndex(background.background, package.backgrounds.size(), true,
                             "background index",
                             background_at + offsetof(RoomBackgroundRecord, background));
        });
    room.views = ReadRecords<RoomViewRecord>(
        state, record.views, "view", kRoomSlotCount,
        [&](const RoomViewRecord& view, uint64_t view_at) {
            state.CheckIndex(view.follow, package.objects.size(), true, "followed object",
                             view_at + offsetof(RoomViewRecord, follow));
        });
    room.instances = ReadRecords<RoomInstanceRecord>(
        state, record.instances, "instance", SIZE_MAX,
        [&](const RoomInstanceRecord& instance, uint64_t instance_at) {
            state.CheckIndex(instance.object, package.objects.size(), false, "object index",
                             instance_at + offsetof(RoomInstanceRecord, object));
            state.CheckCodeIndex(instance.creation_code, true, "creation code entry",
                                 instance_at + offsetof(RoomInstanceRecord, creation_code));
            state.CheckCodeIndex(instance.pre_create_code, true, "pre-create code entry",
                                 instance_at + offsetof(RoomInstanceRecord, pre_create_code));
        });
    room.tiles = ReadRecords<LegacyTileRecord>(state, record.tiles, "tile", SIZE_MAX,
                                               [&](const LegacyTileRecord& tile, uint64_t tile_at) {
                                                   CheckLegacyTile(state, tile, tile_at);
                                               });

    if (package.header.bytecode_version < kRoomPhysicsFromVersion) return room;
    const uint64_t physics_at = uint64_t(at) + sizeof(RoomRecord);
    auto physics = state.bytes.Read<RoomPhysicsRecord>(physics_at, "physics world");
    room.physics_world = physics.world != 0;
    room.gravity_x = TruncToInt32(physics.gravity_x);
    room.gravity_y = TruncToInt32(physics.gravity_y);
    room.pixels_to_metres = physics.pixels_to_metres;
    if (record.record_version >= kRoomLayersFromRecordVersion)
        room.layers = ReadLayers(
            state, state.bytes.Word(physics_at + sizeof(RoomPhysicsRecord), "layer list"));
    return room;
}

} // namespace

void ReadRoomChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "room", state.package.rooms,
                        [&](uint32_t at) { return ReadRoom(state, at); });
}
