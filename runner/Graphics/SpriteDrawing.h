// Drawing one frame of a sprite: the frame taken from an index, culled by the sprite's reach
// against the culling rectangle, and queued as a quad. Shared by the draw built-ins and, later,
// by the room's default drawing of instances.
#pragma once

#include <cstdint>

#include "Graphics/GraphicsContext.h"

class CSprite;

// The sprite's reach under the larger of the two scales.
double ScaledReach(const CSprite& sprite, float xscale, float yscale);

// Draws frame floor(index) (wrapped into the frame count) unless no point of it can come
// within `reach` of the culling rectangle. A sprite without frames draws nothing.
void DrawSpriteFrame(GraphicsContext& graphics, const CSprite& sprite, double index,
                     const Placement& placement, uint32_t colour, double alpha, double reach);
