// What the sprite effects share: the box a caller's sprite covers, the silhouette drawn where a
// script wants it, and the outline drawn at an offset (the wrapped drawing's copies).
#pragma once

#include "CodeTable.h"
#include "GameNames.h"

// Where the caller's sprite frame lies relative to (x, y), scaled and mirrored by image_xscale
// and image_yscale (rotation left out), and its size in pixels.
struct SpriteBox {
    double left, top, width, height;
};
SpriteBox CallerSpriteBox(CInstance* self);

// The silhouette surface drawn with its top-left corner at (left, top), in the caller's
// image_blend and image_alpha.
void DrawSilhouetteAt(CInstance* self, CInstance* other, const RValue& silhouette, double left,
                      double top);

// The caller's sprite with a one-pixel outline in `colour` and `alpha`, moved by (dx, dy).
void DrawOutlineAt(CInstance* self, CInstance* other, const RValue& colour, const RValue& alpha,
                   double dx, double dy);

// The runner's colour white.
inline constexpr int kWhite = 0xFFFFFF;
