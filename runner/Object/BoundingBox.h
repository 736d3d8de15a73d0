// An instance's bounding box in room pixels (edges included), recomputed only when something
// that shapes it changed: position, sprite or mask, scale or angle.
#pragma once

class CInstance;
class CSprite;

// The sprite that gives the instance its shape: mask_index when set, else sprite_index.
const CSprite* CollisionSprite(const CInstance& instance);
// Brings bbox_left/top/right/bottom and the precise flag up to date.
void UpdateBoundingBox(CInstance& instance);
