#include "SpriteRecord.h"

#include <algorithm>

namespace {

// Bit-packed, leftmost pixel in the top bit, rows padded to whole bytes.
std::vector<uint8_t> MaskOf(const PixelImage& frame) {
    const uint64_t row_bytes = package::MaskRowBytes(uint32_t(frame.width));
    std::vector<uint8_t> mask(size_t(package::MaskBytes(uint32_t(frame.width), uint32_t(frame.height))), 0);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (frame.At(x, y).a != 0) mask[size_t(y) * row_bytes + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    return mask;
}

// The box around every frame's opaque pixels; the whole frame when every frame is clear.
PixelRect OpaqueBoundsOfAll(const SpriteSource& source) {
    int left = source.width, top = source.height, right = -1, bottom = -1;
    for (const PixelImage& frame : source.frames) {
        const PixelRect bounds = frame.OpaqueBounds();
        if (bounds.Empty()) continue;
        left = std::min(left, bounds.x);
        top = std::min(top, bounds.y);
        right = std::max(right, bounds.x + bounds.width - 1);
        bottom = std::max(bottom, bounds.y + bounds.height - 1);
    }
    if (right < 0) return {0, 0, source.width, source.height};
    return {left, top, right - left + 1, bottom - top + 1};
}

} // namespace

PackageSprite MakeSpriteRecord(const SpriteSource& source, std::string_view name,
                               TexturePageBuilder& pages) {
    PackageSprite sprite;
    sprite.name = name;
    sprite.width = uint32_t(source.width);
    sprite.height = uint32_t(source.height);
    sprite.origin_x = source.origin_x;
    sprite.origin_y = source.origin_y;
    sprite.transparent = true;
    sprite.preload = true;
    sprite.playback_speed = source.speed;
    sprite.playback_speed_type = source.speed_type;
    const PixelRect box = source.mask == SpriteMask::Full ? PixelRect{0, 0, source.width, source.height}
                                                          : OpaqueBoundsOfAll(source);
    sprite.bbox_mode = source.mask == SpriteMask::Full ? 1 : 0;
    sprite.bbox_left = box.x;
    sprite.bbox_top = box.y;
    sprite.bbox_right = box.x + box.width - 1;
    sprite.bbox_bottom = box.y + box.height - 1;
    for (const PixelImage& frame : source.frames) {
        sprite.frames.push_back(pages.AddFrame(frame));
        if (source.mask == SpriteMask::Precise) sprite.masks.push_back(MaskOf(frame));
    }
    sprite.mask_kind = source.mask == SpriteMask::Precise ? package::kMaskPrecise : 0;
    return sprite;
}
