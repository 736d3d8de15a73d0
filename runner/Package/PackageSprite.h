// A sprite as loaded: frame size, origin, bounding box, playback speed, one texture page entry
// per frame and its collision masks. The sprite subsystem draws and collides with these.
#pragma once

#include "Package/PackageFormat.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct PackageSprite {
    std::string_view name;
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t bbox_left = 0;
    int32_t bbox_right = 0;
    int32_t bbox_bottom = 0;
    int32_t bbox_top = 0;
    bool transparent = false;
    bool smooth = false;
    bool preload = false;
    uint32_t bbox_mode = 0;
    uint32_t mask_kind = 0;
    int32_t origin_x = 0;
    int32_t origin_y = 0;
    bool extended_layout = true;
    uint32_t type = package::kSpriteBitmap; // vector and skeletal sprites keep no frames
    float playback_speed = 1;               // new projects with the extended layout only
    uint32_t playback_speed_type = 0;
    std::vector<int32_t> frames; // texture page entry index per frame, -1 none
    // Each MaskBytes(width, height) long; see the mask layout in PackageFormat.h.
    std::vector<std::vector<uint8_t>> masks;

    bool SeparateMasks() const { return masks.size() == frames.size(); }
    // The largest distance from the origin to a corner of the frame, rounded up: how far
    // drawing can reach from the position, for culling.
    int32_t Reach() const;
    bool operator==(const PackageSprite&) const = default;
};
