// Bounding boxes: the sprite's box scaled and turned about the origin, then rounded as the
// package asks (to nearest, halves away from zero, or truncated for old fast-collision games).
#include "Object/BoundingBox.h"

#include <algorithm>
#include <cmath>

#include "Base/RunnerState.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"
#include "Variable/CInstance.h"

namespace {

constexpr double kPi = 3.1415927;

// To nearest with halves away from zero, as std::round but without its library call (just
// under a half with the value's sign, then truncation), or truncated.
int32_t Round(double value, bool to_nearest) {
    return int32_t(to_nearest ? value + std::copysign(0.49999999999999994, value) : value);
}

} // namespace

const CSprite* CollisionSprite(const CInstance& instance) {
    return GetSprite(instance.mask_index >= 0 ? instance.mask_index : instance.sprite_index);
}

void UpdateBoundingBox(CInstance& instance) {
    if (!instance.Has(INSTANCE_FLAG_BBOX_DIRTY)) return;
    instance.flags &= ~INSTANCE_FLAG_BBOX_DIRTY;
    const CSprite* sprite = CollisionSprite(instance);
    if (!sprite) {
        instance.bbox = {int32_t(instance.x), int32_t(instance.y), int32_t(instance.x), int32_t(instance.y)};
        instance.flags &= ~INSTANCE_FLAG_PRECISE;
        return;
    }
    instance.SetFlag(INSTANCE_FLAG_PRECISE, sprite->HasPreciseMasks());
    const bool to_nearest = Runner().round_collision_boxes;
    const CSprite::BoundingBox& box = sprite->BBox();
    const double xo = sprite->OriginX();
    const double yo = sprite->OriginY();
    if (instance.image_angle == 0) {
        // Mirrored scales turn the box about the origin; left stays at or below right.
        int32_t left = Round((box.left - xo) * instance.image_xscale + instance.x, to_nearest);
        int32_t right = Round((box.right - box.left + 1) * double(instance.image_xscale) + left, to_nearest);
        int32_t top = Round((box.top - yo) * instance.image_yscale + instance.y, to_nearest);
        int32_t bottom = Round((box.bottom - box.top + 1) * double(instance.image_yscale) + top, to_nearest);
        if (right < left) std::swap(left, right);
        if (bottom < top) std::swap(top, bottom);
        instance.bbox = {left, top, right - 1, bottom - 1};
        return;
    }
    // The scaled box turned about the origin (counter-clockwise on screen), then its bounds.
    const double angle = instance.image_angle * kPi / 180.0;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double xs[2] = {(box.left - xo) * instance.image_xscale, (box.right + 1 - xo) * instance.image_xscale};
    const double ys[2] = {(box.top - yo) * instance.image_yscale, (box.bottom + 1 - yo) * instance.image_yscale};
    double min_x = INFINITY, max_x = -INFINITY, min_y = INFINITY, max_y = -INFINITY;
    for (double px : xs)
        for (double py : ys) {
            const double rx = px * c + py * s;
            const double ry = -px * s + py * c;
            min_x = std::min(min_x, rx);
            max_x = std::max(max_x, rx);
            min_y = std::min(min_y, ry);
            max_y = std::max(max_y, ry);
        }
    instance.bbox = {Round(min_x + instance.x, to_nearest), Round(min_y + instance.y, to_nearest),
                     Round(max_x + instance.x, to_nearest) - 1, Round(max_y + instance.y, to_nearest) - 1};
}
