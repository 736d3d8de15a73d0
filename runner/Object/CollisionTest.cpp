// Collision tests. A room pixel (px, py) is sampled at its centre and carried into the frame
// of the sprite's mask by undoing the instance's position, angle and scale.
#include "Object/CollisionTest.h"

#include <algorithm>
#include <cmath>

#include "Object/BoundingBox.h"
#include "Package/PackageFormat.h"
#include "Sprite/CSprite.h"
#include "Variable/CInstance.h"

namespace {

constexpr double kPi = 3.1415927;

// One instance's mask as seen from the room, set up once per test.
class MaskView {
public:
    MaskView(const CInstance& instance, const CSprite& sprite)
        : mask_(sprite.Mask(int32_t(std::floor(instance.image_index)))), width_(sprite.Width()),
          height_(sprite.Height()), x_(instance.x - 0.5), y_(instance.y - 0.5), xo_(sprite.OriginX()),
          yo_(sprite.OriginY()), xscale_(instance.image_xscale), yscale_(instance.image_yscale) {
        plain_ = xscale_ == 1 && yscale_ == 1 && std::fabs(instance.image_angle) < 0.0001;
        const double theta = -instance.image_angle * kPi / 180.0;
        sin_ = std::sin(theta);
        cos_ = std::cos(theta);
    }

    bool Solid(int32_t px, int32_t py) const {
        if (!mask_) return false;
        const double dx = px - x_;
        const double dy = py - y_;
        double mx, my;
        if (plain_) {
            mx = dx + xo_;
            my = dy + yo_;
        } else {
            mx = (dy * sin_ + dx * cos_) / xscale_ + xo_;
            my = (dy * cos_ - dx * sin_) / yscale_ + yo_;
        }
        const auto column = int32_t(std::floor(mx));
        const auto row = int32_t(std::floor(my));
        if (column < 0 || row < 0 || column >= width_ || row >= height_) return false;
        return mask_[size_t(row) * size_t(width_) + size_t(column)] != 0;
    }

private:
    const uint8_t* mask_;
    int32_t width_, height_;
    double x_, y_, xo_, yo_, xscale_, yscale_;
    double sin_ = 0, cos_ = 1;
    bool plain_ = true;
};

struct Area {
    double left, top, right, bottom;
};

// The sprite's box turned with the instance, against an upright area: separated on one of the
// four axes of the two rectangles, or meeting.
bool RotatedBoxMeets(const CInstance& instance, const CSprite& sprite, const Area& area) {
    const CSprite::BoundingBox& box = sprite.BBox();
    const double angle = instance.image_angle * kPi / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    double corners[4][2];
    const double xs[2] = {(box.left - sprite.OriginX()) * double(instance.image_xscale),
                          (box.right + 1 - sprite.OriginX()) * double(instance.image_xscale)};
    const double ys[2] = {(box.top - sprite.OriginY()) * double(instance.image_yscale),
                          (box.bottom + 1 - sprite.OriginY()) * double(instance.image_yscale)};
    for (int i = 0; i < 4; ++i) {
        const double px = xs[i == 1 || i == 2], py = ys[i >= 2];
        corners[i][0] = instance.x + px * c + py * s;
        corners[i][1] = instance.y - px * s + py * c;
    }
    const double area_corners[4][2] = {{area.left, area.top}, {area.right, area.top},
                                       {area.right, area.bottom}, {area.left, area.bottom}};
    const double axes[4][2] = {{1, 0}, {0, 1}, {c, -s}, {s, c}};
    for (const auto& axis : axes) {
        double a_min = INFINITY, a_max = -INFINITY, b_min = INFINITY, b_max = -INFINITY;
        for (int i = 0; i < 4; ++i) {
            const double p = corners[i][0] * axis[0] + corners[i][1] * axis[1];
            const double q = area_corners[i][0] * axis[0] + area_corners[i][1] * axis[1];
            a_min = std::min(a_min, p), a_max = std::max(a_max, p);
            b_min = std::min(b_min, q), b_max = std::max(b_max, q);
        }
        if (a_max <= b_min || b_max <= a_min) return false;
    }
    return true;
}

} // namespace

bool InstanceMeetsRectangle(CInstance& instance, double x1, double y1, double x2, double y2, bool precise) {
    if (instance.IsMarked()) return false;
    UpdateBoundingBox(instance);
    const Area area{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    const CInstance::Box& box = instance.bbox;
    if (area.left >= box.right + 1 || area.right < box.left || area.top >= box.bottom + 1 || area.bottom < box.top)
        return false;
    const CSprite* sprite = CollisionSprite(instance);
    if (!sprite || sprite->FrameCount() == 0) return false;
    // A turned rectangle meets the area as a rectangle, pixels aside: its edges span whole pixels.
    if (sprite->MaskKind() == package::kMaskRotatedRectangle &&
        !RotatedBoxMeets(instance, *sprite, {area.left, area.top, area.right + 1, area.bottom + 1}))
        return false;
    if (!precise || !instance.Has(INSTANCE_FLAG_PRECISE)) return true;
    const MaskView mask(instance, *sprite);
    const auto left = std::max(int32_t(std::lround(area.left)), box.left);
    const auto right = std::min(int32_t(std::lround(area.right)), box.right);
    const auto top = std::max(int32_t(std::lround(area.top)), box.top);
    const auto bottom = std::min(int32_t(std::lround(area.bottom)), box.bottom);
    for (int32_t py = top; py <= bottom; ++py)
        for (int32_t px = left; px <= right; ++px)
            if (mask.Solid(px, py)) return true;
    return false;
}

bool InstancesCollide(CInstance& a, CInstance& b) {
    UpdateBoundingBox(a);
    UpdateBoundingBox(b);
    const CInstance::Box& p = a.bbox;
    const CInstance::Box& q = b.bbox;
    if (!p.Meets(q)) return false;
    const CSprite* sprite_a = CollisionSprite(a);
    const CSprite* sprite_b = CollisionSprite(b);
    if (!sprite_a || !sprite_b || sprite_a->FrameCount() == 0 || sprite_b->FrameCount() == 0) return false;
    const bool precise_a = a.Has(INSTANCE_FLAG_PRECISE);
    const bool precise_b = b.Has(INSTANCE_FLAG_PRECISE);
    if (!precise_a && !precise_b) return true;
    const MaskView mask_a(a, *sprite_a);
    const MaskView mask_b(b, *sprite_b);
    // A pixel of the overlap counts where each precise side is solid; the other side's box
    // already covers it.
    for (int32_t py = std::max(p.top, q.top); py <= std::min(p.bottom, q.bottom); ++py)
        for (int32_t px = std::max(p.left, q.left); px <= std::min(p.right, q.right); ++px)
            if ((!precise_a || mask_a.Solid(px, py)) && (!precise_b || mask_b.Solid(px, py))) return true;
    return false;
}
