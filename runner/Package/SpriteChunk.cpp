// Sprites: the record, the extended layout's type and speed, the frames' texture page entries
// and the collision masks.
#include "Package/PackageChunkReaders.h"

using namespace package;

namespace {

void ReadFramesAndMasks(PackageReadState& state, uint64_t at, PackageSprite& sprite) {
    const uint32_t frame_count = state.bytes.Count(at, 4, "frames");
    sprite.frames.resize(frame_count);
    for (uint32_t i = 0; i < frame_count; ++i) {
        const uint64_t reference_at = at + 4 + 4 * uint64_t(i);
        sprite.frames[i] = state.TexturePageIndex(state.bytes.Word(reference_at, "frame"),
                                                  "frame texture page entry", reference_at);
    }

    const uint64_t masks_at = at + 4 + 4 * uint64_t(frame_count);
    const uint64_t mask_size = MaskBytes(sprite.width, sprite.height);
    const uint32_t mask_count = state.bytes.Count(masks_at, mask_size, "masks");
    sprite.masks.resize(mask_count);
    const uint8_t* bits = state.bytes.Data() + masks_at + 4;
    for (uint32_t i = 0; i < mask_count; ++i)
        sprite.masks[i].assign(bits + i * mask_size, bits + (i + 1) * mask_size);
}

PackageSprite ReadSprite(PackageReadState& state, uint32_t at) {
    auto record = state.bytes.Read<SpriteRecord>(at, "sprite record");
    PackageSprite sprite;
    sprite.name = state.bytes.String(record.name, "name");
    sprite.width = record.width;
    sprite.height = record.height;
    sprite.bbox_left = record.bbox_left;
    sprite.bbox_right = record.bbox_right;
    sprite.bbox_bottom = record.bbox_bottom;
    sprite.bbox_top = record.bbox_top;
    sprite.transparent = record.transparent != 0;
    sprite.smooth = record.smooth != 0;
    sprite.preload = record.preload != 0;
    sprite.bbox_mode = record.bbox_mode;
    sprite.mask_kind = record.mask_kind;
    sprite.origin_x = record.origin_x;
    sprite.origin_y = record.origin_y;

    uint64_t next = uint64_t(at) + sizeof(SpriteRecord);
    if (record.frame_count != kSpriteExtendedMarker) {
        // The plain layout: the word just read was the frame count.
        if (record.frame_count < 0)
            state.bytes.Fail("frame count " + std::to_string(record.frame_count) + " is negative",
                             at + offsetof(SpriteRecord, frame_count));
        sprite.extended_layout = false;
        ReadFramesAndMasks(state, next - 4, sprite);
        return sprite;
    }
    auto extended = state.bytes.Read<SpriteExtendedRecord>(next, "extended sprite record");
    next += sizeof(SpriteExtendedRecord);
    sprite.type = extended.type;
    if (state.package.header.NewProject()) {
        auto speed = state.bytes.Read<SpriteSpeedRecord>(next, "playback speed");
        sprite.playback_speed = speed.speed;
        sprite.playback_speed_type = speed.speed_type;
        next += sizeof(SpriteSpeedRecord);
    }
    // Vector and skeletal sprites carry data the runner does not draw.
    if (sprite.type == kSpriteBitmap) ReadFramesAndMasks(state, next, sprite);
    return sprite;
}

} // namespace

void ReadSpriteChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "sprite", state.package.sprites,
                        [&](uint32_t at) { return ReadSprite(state, at); });
}
