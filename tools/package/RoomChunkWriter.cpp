// Rooms: the record, its lists, the physics world and the layers.
#include "ChunkWriters.h"

using namespace package;

namespace {

// A list of fixed records; returns its offset.
template <class Record>
uint32_t WriteRecordList(PackageWriteState& state, const std::vector<Record>& records) {
    const uint32_t at = state.out.Size();
    const uint32_t references = state.out.AppendList(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        state.out.Patch(references + 4 * i, state.out.Append(records[i]));
    return at;
}

uint32_t WriteSpriteElements(PackageWriteState& state, const std::vector<SpriteElement>& elements) {
    const uint32_t at = state.out.Size();
    const uint32_t references = state.out.AppendList(elements.size());
    for (size_t i = 0; i < elements.size(); ++i) {
        const SpriteElement& element = elements[i];
        SpriteElementRecord record{0,
                                   element.sprite,
                                   element.x,
                                   element.y,
                                   element.scale_x,
                                   element.scale_y,
                                   element.colour,
                                   element.animation_speed,
                                   element.speed_type,
                                   element.frame,
                                   element.rotation};
        const uint32_t element_at = state.out.Append(record);
        state.out.Patch(references + 4 * i, element_at);
        state.out.ReferString(element_at + offsetof(SpriteElementRecord, name), element.name);
    }
    return at;
}

uint32_t WriteLayer(PackageWriteState& state, const RoomLayer& layer) {
    LayerRecord record{0,
                       layer.id,
                       layer.type,
                       layer.depth,
                       layer.x_offset,
                       layer.y_offset,
                       layer.speed_x,
                       layer.speed_y,
                       layer.visible};
    const uint32_t at = state.out.Append(record);
    state.out.ReferString(at + offsetof(LayerRecord, name), layer.name);
    switch (layer.type) {
    case kLayerBackground: state.out.Append(layer.background); break;
    case kLayerInstances:
        state.out.Append(uint32_t(layer.instance_ids.size()));
        for (uint32_t id : layer.instance_ids)
            state.out.Append(id);
        break;
    case kLayerAssets: {
        const uint32_t lists = state.out.Append(LayerAssetsRecord{});
        state.out.Patch(lists + offsetof(LayerAssetsRecord, tiles),
                        WriteRecordList(state, layer.asset_tiles));
        state.out.Patch(lists + offsetof(LayerAssetsRecord, sprites),
                        WriteSpriteElements(state, layer.asset_sprites));
        break;
    }
    case kLayerTiles: {
        const TileMap& map = layer.tile_map;
        state.out.Append(TileLayerRecord{map.tile_set, map.width, map.height});
        for (uint32_t cell : map.cells)
            state.out.Append(cell);
        break;
    }
    default: break; // a type the reader refuses: only the header, as given
    }
    return at;
}

uint32_t WriteRoom(PackageWriteState& state, const PackageRoom& room) {
    RoomRecord record{};
    record.width = room.width;
    record.height = room.height;
    record.speed = room.speed;
    record.persistent = room.persistent;
    record.colour = room.colour;
    record.draw_colour = room.draw_colour;
    record.creation_code = room.creation_code;
    record.flags = uint16_t((room.views_enabled ? kRoomViewsEnabled : 0) |
                            (room.clear_with_window_colour ? kRoomClearWithWindowColour : 0) |
                            (room.clear_display ? 0 : kRoomKeepDisplayBuffer));
    record.record_version = room.record_version;
    const uint32_t at = state.out.Append(record);
    state.out.ReferString(at + offsetof(RoomRecord, name), room.name);
    state.out.ReferString(at + offsetof(RoomRecord, caption), room.caption);

    const bool physics = state.package.header.bytecode_version >= kRoomPhysicsFromVersion;
    const bool layers = physics && room.record_version >= kRoomLayersFromRecordVersion;
    if (physics) {
        RoomPhysicsRecord world{};
        world.world = room.physics_world;
        world.gravity_x = float(room.gravity_x);
        world.gravity_y = float(room.gravity_y);
        world.pixels_to_metres = room.pixels_to_metres;
        state.out.Append(world);
    }
    const uint32_t layer_field = layers ? state.out.Append(uint32_t(0)) : 0;

    state.out.Patch(at + offsetof(RoomRecord, backgrounds),
                    WriteRecordList(state, room.backgrounds));
    state.out.Patch(at + offsetof(RoomRecord, views), WriteRecordList(state, room.views));
    state.out.Patch(at + offsetof(RoomRecord, instances), WriteRecordList(state, room.instances));
    state.out.Patch(at + offsetof(RoomRecord, tiles), WriteRecordList(state, room.tiles));
    if (layers) {
        state.out.Patch(layer_field, state.out.Size());
        const uint32_t references = state.out.AppendList(room.layers.size());
        for (size_t i = 0; i < room.layers.size(); ++i)
            state.out.Patch(references + 4 * i, WriteLayer(state, room.layers[i]));
    }
    return at;
}

} // namespace

void WriteRoomChunk(PackageWriteState& state) {
    WriteResources(state, state.package.rooms,
                   [&](const PackageRoom& room) { return WriteRoom(state, room); });
}
