// A font as loaded: face and size, character range, scales, the texture page entry of its
// image and the glyphs on it. The font subsystem lays text out with these.
#pragma once

#include "Package/PackageFormat.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct PackageFont {
    std::string_view name;
    std::string_view face;
    float size = 0; // point size; stored as an integer or as a negated float
    bool bold = false;
    bool italic = false;
    uint16_t first_char = 32;
    uint8_t charset = 0;    // 0 keeps the default
    int32_t antialias = -1; // -1 keeps the default
    uint32_t last_char = 127;
    int32_t texture_page = -1; // texture page entry index
    float scale_x = 1;
    float scale_y = 1;
    std::vector<package::Glyph> glyphs; // in file order
    bool operator==(const PackageFont&) const = default;
};
