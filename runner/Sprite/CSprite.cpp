// The sprite record built from the package, and the expansion of its 1-bit masks.
#include "Sprite/CSprite.h"

#include "Package/PackageSprite.h"

namespace {

// One packed mask (leftmost pixel in the top bit, rows padded to whole bytes) into width x
// height bytes at `out`.
void ExpandMask(const std::vector<uint8_t>& bits, uint32_t width, uint32_t height, uint8_t* out) {
    const uint64_t row_bytes = package::MaskRowBytes(width);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = bits.data() + y * row_bytes;
        for (uint32_t x = 0; x < width; ++x)
            *out++ = (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

int32_t ReachFrom(int32_t width, int32_t height, int32_t origin_x, int32_t origin_y) {
    PackageSprite frame;
    frame.width = static_cast<uint32_t>(width);
    frame.height = static_cast<uint32_t>(height);
    frame.origin_x = origin_x;
    frame.origin_y = origin_y;
    return frame.Reach();
}

} // namespace

CSprite::CSprite(const PackageSprite& source)
    : name_(source.name), width_(static_cast<int32_t>(source.width)),
      height_(static_cast<int32_t>(source.height)), origin_x_(source.origin_x),
      origin_y_(source.origin_y),
      frames_(source.frames), bbox_{source.bbox_left, source.bbox_top, source.bbox_right,
                                    source.bbox_bottom},
      bbox_mode_(source.bbox_mode), mask_kind_(source.mask_kind), speed_(source.playback_speed),
      speed_type_(source.playback_speed_type), kind_(source.type), reach_(source.Reach()) {
    const size_t mask_size = size_t(source.width) * source.height;
    if (source.masks.empty() || mask_size == 0) return;
    // Any count other than one per frame means the first mask serves every frame.
    mask_count_ = source.SeparateMasks() ? source.masks.size() : 1;
    masks_.resize(mask_count_ * mask_size);
    for (size_t i = 0; i < mask_count_; ++i)
        ExpandMask(source.masks[i], source.width, source.height, masks_.data() + i * mask_size);
}

void CSprite::SetOrigin(int32_t x, int32_t y) {
    origin_x_ = x;
    origin_y_ = y;
    reach_ = ReachFrom(width_, height_, x, y);
}

bool CSprite::HasPreciseMasks() const {
    return mask_kind_ == package::kMaskPrecise && mask_count_ > 0;
}

const uint8_t* CSprite::Mask(int32_t frame) const {
    const int32_t count = FrameCount();
    if (mask_count_ == 0 || count == 0) return nullptr;
    if (mask_count_ == 1) return masks_.data();
    int32_t index = frame % count;
    if (index < 0) index += count;
    return masks_.data() + size_t(index) * size_t(width_) * size_t(height_);
}
