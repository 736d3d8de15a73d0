// Sprites in either layout, with their frames and collision masks.
#include "ChunkWriters.h"

#include <stdexcept>

using namespace package;

namespace {

uint32_t WriteSprite(PackageWriteState& state, const PackageSprite& sprite) {
    SpriteRecord record{};
    record.width = sprite.width;
    record.height = sprite.height;
    record.bbox_left = sprite.bbox_left;
    record.bbox_right = sprite.bbox_right;
    record.bbox_bottom = sprite.bbox_bottom;
    record.bbox_top = sprite.bbox_top;
    record.transparent = sprite.transparent;
    record.smooth = sprite.smooth;
    record.preload = sprite.preload;
    record.bbox_mode = sprite.bbox_mode;
    record.mask_kind = sprite.mask_kind;
    record.origin_x = sprite.origin_x;
    record.origin_y = sprite.origin_y;
    record.frame_count =
        sprite.extended_layout ? kSpriteExtendedMarker : int32_t(sprite.frames.size());
    const uint32_t at = state.out.Append(record);
    state.out.ReferString(at + offsetof(SpriteRecord, name), sprite.name);
    if (sprite.extended_layout) {
        state.out.Append(SpriteExtendedRecord{kSpriteLayoutVersion, sprite.type});
        if (state.package.header.NewProject())
            state.out.Append(SpriteSpeedRecord{sprite.playback_speed, sprite.playback_speed_type});
        if (sprite.type != kSpriteBitmap) return at;
        state.out.Append(uint32_t(sprite.frames.size()));
    }
    for (int32_t frame : sprite.frames)
        state.out.ReferTexturePage(state.out.Append(uint32_t(0)), frame);

    state.out.Append(uint32_t(sprite.masks.size()));
    for (const auto& mask : sprite.masks) {
        if (mask.size() != MaskBytes(sprite.width, sprite.height))
            throw std::invalid_argument("a mask of sprite " + std::string(sprite.name) +
                                        " does not match the sprite's size");
        state.out.AppendBytes(mask);
    }
    state.out.AlignTo4();
    return at;
}

} // namespace

void WriteSpriteChunk(PackageWriteState& state) {
    WriteResources(state, state.package.sprites,
                   [&](const PackageSprite& sprite) { return WriteSprite(state, sprite); });
}
