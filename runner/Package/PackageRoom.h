// A room as loaded: size, speed, colour, creation code, the legacy backgrounds, views,
// instances and tiles, the physics world and the layers. Records without references are kept
// as their file layout; the room subsystem builds running rooms from these.
#pragma once

#include "Code/CodeTable.h"
#include "Package/PackageFormat.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct SpriteElement {
    std::string_view name;
    int32_t sprite = -1;
    float x = 0;
    float y = 0;
    float scale_x = 1;
    float scale_y = 1;
    uint32_t colour = 0xFFFFFFFF; // alpha in the top byte
    float animation_speed = 1;
    uint32_t speed_type = 0;
    float frame = 0;
    float rotation = 0;
    bool operator==(const SpriteElement&) const = default;
};

struct TileMap {
    int32_t tile_set = -1; // background index
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> cells; // width x height, row by row
    bool operator==(const TileMap&) const = default;
};

// The common fields, then the part of the layer's type; the other parts stay empty.
struct RoomLayer {
    std::string_view name;
    uint32_t id = 0;
    uint32_t type = package::kLayerInstances;
    int32_t depth = 0;
    float x_offset = 0;
    float y_offset = 0;
    float speed_x = 0;
    float speed_y = 0;
    bool visible = true;
    package::LayerBackgroundRecord background{};        // kLayerBackground
    std::vector<uint32_t> instance_ids;                 // kLayerInstances
    std::vector<package::LegacyTileRecord> asset_tiles; // kLayerAssets
    std::vector<SpriteElement> asset_sprites;           // kLayerAssets
    TileMap tile_map;                                   // kLayerTiles
    bool operator==(const RoomLayer&) const = default;
};

// The code objects that an instance's creation and pre-create code entries name. Bound at load
// beside the instance records, since their index words cannot hold a pointer.
struct InstanceCode {
    const CodeEntry* creation = nullptr;
    const CodeEntry* pre_create = nullptr;
    bool operator==(const InstanceCode&) const = default;
};

struct PackageRoom {
    std::string_view name;
    std::string_view caption;
    uint32_t width = 640;
    uint32_t height = 480;
    uint32_t speed = 30;
    bool persistent = false;
    uint32_t colour = 0xC0C0C0;
    bool draw_colour = true;
    int32_t creation_code = -1;
    bool views_enabled = false;
    bool clear_with_window_colour = false;
    bool clear_display = true;
    uint16_t record_version = package::kRoomLayersFromRecordVersion;
    std::vector<package::RoomBackgroundRecord> backgrounds; // at most kRoomSlotCount
    std::vector<package::RoomViewRecord> views;             // at most kRoomSlotCount
    std::vector<package::RoomInstanceRecord> instances;
    std::vector<InstanceCode> instance_code; // one per instance once the runner has bound them
    std::vector<package::LegacyTileRecord> tiles;
    bool physics_world = false;
    int32_t gravity_x = 0; // truncated from the stored float
    int32_t gravity_y = 0;
    float pixels_to_metres = 0;
    std::vector<RoomLayer> layers;
    bool operator==(const PackageRoom&) const = default;
};
