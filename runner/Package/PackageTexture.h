// Textures as loaded: each texture page decoded to RGBA pixels, and the tile sets (backgrounds)
// cut from texture page entries. The graphics subsystem makes device textures from these.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// How a texture's data was (or is to be) stored in the package.
enum class TextureEncoding : uint8_t {
    None, // data that is neither PNG nor RAW: no texture
    Png,
    Raw16,
    Raw32,
};

struct PackageTexture {
    uint32_t flags = 0;
    uint32_t mip_count = 0; // major version 2 and later
    TextureEncoding encoding = TextureEncoding::Png;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels; // width x height x (red, green, blue, alpha), rows top down
    bool operator==(const PackageTexture&) const = default;
};

// A tile set: tiles of one size cut from a texture page entry, in columns, with a border, and
// for animated tiles a frame table.
struct PackageBackground {
    std::string_view name;
    bool transparent = false;
    bool smooth = false;
    bool preload = false;
    int32_t texture_page = -1; // texture page entry index
    uint32_t tile_width = 0;
    uint32_t tile_height = 0;
    uint32_t border_x = 0;
    uint32_t border_y = 0;
    uint32_t columns = 0;
    uint32_t frames_per_tile = 1;
    uint32_t tile_count = 0;
    uint32_t frame_time_us = 0;
    std::vector<uint32_t> frames; // tile_count x frames_per_tile: the tile shown for each frame
    bool operator==(const PackageBackground&) const = default;
};
