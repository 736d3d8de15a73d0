// The sprite record: its fields from a loaded package sprite, and its masks expanded from the
// package's packed bits to one byte per pixel, per frame or shared.
#include "Sprite/CSprite.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Package/PackageSprite.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A width x height sprite with `frame_count` frames (entries 0, 1, ...) and these packed masks.
PackageSprite MaskedSprite(uint32_t width, uint32_t height, int frame_count,
                           std::vector<Bytes> masks) {
    PackageSprite sprite;
    sprite.width = width;
    sprite.height = height;
    sprite.mask_kind = package::kMaskPrecise;
    for (int i = 0; i < frame_count; ++i)
        sprite.frames.push_back(i);
    sprite.masks = std::move(masks);
    return sprite;
}

Bytes MaskOf(const CSprite& sprite, int32_t frame) {
    const uint8_t* mask = sprite.Mask(frame);
    if (!mask) return {};
    return Bytes(mask, mask + sprite.Width() * sprite.Height());
}

TEST(CSprite, TakesTheFieldsOfThePackageSprite) {
    std::string name = "sWalker";
    PackageSprite source;
    source.name = name;
    source.width = 32;
    source.height = 16;
    source.bbox_left = 3;
    source.bbox_right = 28;
    source.bbox_bottom = 15;
    source.bbox_top = 2;
    source.bbox_mode = 2;
    source.mask_kind = package::kMaskRotatedRectangle;
    source.playback_speed = 0.5f;
    source.playback_speed_type = CSprite::kFramesPerGameFrame;
    source.frames = {7, -1, 9};
    CSprite sprite(source);
    name = "overwritten"; // the record keeps its own copy of the name
    EXPECT_EQ(sprite.Name(), "sWalker");
    const CSprite::BoundingBox& box = sprite.BBox();
    EXPECT_EQ(std::vector<int32_t>({sprite.Width(), sprite.Height(), sprite.FrameCount(), box.left,
                                    box.top, box.right, box.bottom, int32_t(sprite.BBoxMode())}),
              (std::vector<int32_t>{32, 16, 3, 3, 2, 28, 15, 2}));
    EXPECT_EQ(std::vector<int32_t>(sprite.Frames().begin(), sprite.Frames().end()),
              (std::vector<int32_t>{7, -1, 9}));
    EXPECT_EQ(sprite.MaskKind(), package::kMaskRotatedRectangle);
    EXPECT_EQ(sprite.Speed(), 0.5f);
    EXPECT_EQ(sprite.SpeedType(), CSprite::kFramesPerGameFrame);
    EXPECT_EQ(sprite.Kind(), package::kSpriteBitmap);
    EXPECT_EQ(sprite.Reach(), 36); // the far corner: hypot(32, 16) = 35.8
    EXPECT_EQ(sprite.Mask(0), nullptr);
    EXPECT_FALSE(sprite.HasPreciseMasks());

    sprite.SetOrigin(16, -8);
    EXPECT_EQ(std::pair(sprite.OriginX(), sprite.OriginY()), std::pair(16, -8));
    EXPECT_EQ(sprite.Reach(), 29); // now hypot(16, 24) = 28.8
}

TEST(CSprite, ExpandsPackedRowsToOneBytePerPixel) {
    // 10 pixels wide: two bytes a row, the last six bits of each row padding.
    CSprite sprite(MaskedSprite(10, 3, 1,
                                {{0b10000001, 0b11000000,     // pixels 0, 7, 8, 9
                                  0b00000000, 0b01111111,     // pixel 9; the padding is ignored
                                  0b01000000, 0b00000000}})); // pixel 1
    EXPECT_TRUE(sprite.HasPreciseMasks());
    EXPECT_EQ(MaskOf(sprite, 0), (Bytes{1, 0, 0, 0, 0, 0, 0, 1, 1, 1, //
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 1, //
                                        0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(CSprite, FramesFindTheirMaskModuloTheFrameCountWhenThereAreFrames) {
    // 3x1 masks with pixel i set in mask i.
    CSprite separate(MaskedSprite(3, 1, 3, {{0b10000000}, {0b01000000}, {0b00100000}}));
    EXPECT_EQ(MaskOf(separate, 0), (Bytes{1, 0, 0}));
    EXPECT_EQ(MaskOf(separate, 2), (Bytes{0, 0, 1}));
    EXPECT_EQ(MaskOf(separate, 4), (Bytes{0, 1, 0}));
    EXPECT_EQ(MaskOf(separate, -1), (Bytes{0, 0, 1}));
    EXPECT_EQ(MaskOf(separate, -3), (Bytes{1, 0, 0}));

    // One mask, or any count that is not one per frame: the first serves every frame.
    CSprite shared(MaskedSprite(3, 1, 3, {{0b01000000}, {0b10000000}}));
    EXPECT_EQ(MaskOf(shared, 0), (Bytes{0, 1, 0}));
    EXPECT_EQ(MaskOf(shared, 1), (Bytes{0, 1, 0}));
    EXPECT_EQ(MaskOf(shared, -7), (Bytes{0, 1, 0}));

    // Masks are only there with frames, and only precise for kind one.
    EXPECT_EQ(CSprite(MaskedSprite(3, 1, 0, {{0b10000000}})).Mask(0), nullptr);
    EXPECT_EQ(CSprite(MaskedSprite(3, 1, 2, {})).Mask(0), nullptr);
    EXPECT_FALSE(CSprite(MaskedSprite(3, 1, 2, {})).HasPreciseMasks());

    PackageSprite rotated = MaskedSprite(3, 1, 1, {{0b10000000}});
    rotated.mask_kind = package::kMaskRotatedRectangle;
    EXPECT_FALSE(CSprite(rotated).HasPreciseMasks());
    EXPECT_EQ(MaskOf(CSprite(rotated), 0), (Bytes{1, 0, 0}));
}

} // namespace
