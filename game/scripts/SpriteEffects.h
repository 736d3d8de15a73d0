// What the sprite effects share: the box a caller's sprite covers, the silhouette drawn where a
// script wants it, the outline composed and drawn at an offset (the wrapped drawing's copies),
// and the actors' outlined pictures.
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

// The caller's sprite with a one-pixel outline in `colour` and `alpha` on a square scratch surface
// of side `size` (in white where the sprite shows, to be tinted as it is drawn). The surface's
// top-left corner goes at the caller's rounded position plus (left, top); the sprite's origin lies
// at (origin_x, origin_y) on it.
struct OutlineSurface {
    Value surface;
    double size, left, top, origin_x, origin_y;
};
OutlineSurface ComposeOutline(CInstance* self, CInstance* other, const RValue& colour, const RValue& alpha);

// The caller's sprite with a one-pixel outline in `colour` and `alpha`, moved by (dx, dy).
void DrawOutlineAt(CInstance* self, CInstance* other, const RValue& colour, const RValue& alpha,
                   double dx, double dy);

// The caller outlined in black and drawn over its outline, as every actor draws itself, from a
// picture composed once per frame of its sprite, scale, angle and tint.
void DrawOutlinedActor(CInstance* self, CInstance* other);
// Frees the composed pictures: a new game composes its own, and a full cache starts over.
void ForgetOutlinedActors();

// The runner's colour white.
inline constexpr int kWhite = 0xFFFFFF;
