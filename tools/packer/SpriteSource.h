// A sprite as its asset file writes it:
//
//     origin 8 24              (or "origin center"; default 0 0)
//     speed 8 per-second       (or "speed 0.25 per-frame"; default 1 per-frame)
//     mask precise             (per-frame masks; "box": the box around the opaque pixels,
//                               the default; "full": the whole frame)
//     palette                  (colours of this sprite's own, beside the shared palette)
//       r #c02020
//     frame
//       ..kk..
//       .krrk.
//     frame
//       ...
//
// Every frame has the same size.
#pragma once

#include <string>
#include <vector>

#include "PixelImage.h"

enum class SpriteMask { Box, Full, Precise };

struct SpriteSource {
    std::string name;
    int width = 0;
    int height = 0;
    int origin_x = 0;
    int origin_y = 0;
    float speed = 1;
    uint32_t speed_type = 1; // 0 frames per second, 1 frames per game frame
    SpriteMask mask = SpriteMask::Box;
    std::vector<PixelImage> frames;
};

SpriteSource ReadSprite(const AssetDocument& document, const std::string& name,
                        const Palette& shared);
