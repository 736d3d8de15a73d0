// A sprite as the runner uses it: frame size, origin, frames' texture page entries, bounding
// box, playback speed, and the collision masks expanded to one byte per pixel so that
// collision tests read a pixel with a single index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct PackageSprite;

class CSprite {
public:
    static constexpr uint32_t kFramesPerSecond = 0;
    static constexpr uint32_t kFramesPerGameFrame = 1;

    // In frame pixels, edges included.
    struct BoundingBox {
        int32_t left;
        int32_t top;
        int32_t right;
        int32_t bottom;
    };

    explicit CSprite(const PackageSprite& source);

    const std::string& Name() const { return name_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t OriginX() const { return origin_x_; }
    int32_t OriginY() const { return origin_y_; }
    // Moves the origin; the reach follows it.
    void SetOrigin(int32_t x, int32_t y);
    int32_t FrameCount() const { return static_cast<int32_t>(frames_.size()); }
    // The texture page entry index of each frame (-1 none).
    std::span<const int32_t> Frames() const { return frames_; }
    const BoundingBox& BBox() const { return bbox_; }
    uint32_t BBoxMode() const { return bbox_mode_; }
    uint32_t MaskKind() const { return mask_kind_; } // package::kMaskPrecise, ...
    float Speed() const { return speed_; }
    uint32_t SpeedType() const { return speed_type_; } // kFramesPerSecond or kFramesPerGameFrame
    uint32_t Kind() const { return kind_; }            // package::kSpriteBitmap, ...
    // The largest distance from the origin to a corner of the frame, rounded up.
    int32_t Reach() const { return reach_; }

    // True when collisions test this sprite's masks rather than its bounding box.
    bool HasPreciseMasks() const;
    // The mask of frame `frame` (taken modulo the frame count, made non-negative): Width() x
    // Height() bytes, row by row, 1 solid, 0 clear. Null when the sprite has no masks or frames.
    const uint8_t* Mask(int32_t frame) const;

private:
    std::string name_;
    int32_t width_;
    int32_t height_;
    int32_t origin_x_;
    int32_t origin_y_;
    std::vector<int32_t> frames_;
    BoundingBox bbox_;
    uint32_t bbox_mode_;
    uint32_t mask_kind_;
    float speed_;
    uint32_t speed_type_;
    uint32_t kind_;
    int32_t reach_;
    size_t mask_count_ = 0;      // 0, 1 shared by every frame, or one per frame
    std::vector<uint8_t> masks_; // mask_count_ masks of Width() x Height() bytes, back to back
};
