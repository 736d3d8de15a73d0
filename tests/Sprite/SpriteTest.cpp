// Sprite records built from the package's: their reach, and their masks expanded
// from the package's packed bits to one byte per pixel, per frame or shared; the sprite table and
// the sprite built-ins, called by name through the registry.
#include "Sprite/CSprite.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "BuiltinCallFixture.h"
#include "Code/ValueTestSupport.h"
#include "Package/PackageSprite.h"
#include "Sprite/SpriteFunctions.h"
#include "Sprite/SpriteTable.h"

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
    return mask ? Bytes(mask, mask + sprite.Width() * sprite.Height()) : Bytes{};
}

TEST(CSprite, ReachAndMasksArePackedRowsExpandedAndFoundModuloTheFrameCount) {
    // The far corner from the origin bounds what the sprite can reach.
    CSprite big(MaskedSprite(32, 16, 3, {}));
    EXPECT_EQ(big.Reach(), 36); // hypot(32, 16) = 35.8
    big.SetOrigin(16, -8);
    EXPECT_EQ(big.Reach(), 29); // now hypot(16, 24) = 28.8

    // 10 pixels wide: two bytes a row, the last six bits of each row padding.
    CSprite sprite(MaskedSprite(10, 3, 1,
                                {{0b10000001, 0b11000000,     // pixels 0, 7, 8, 9
                                  0b00000000, 0b01111111,     // pixel 9; the padding is ignored
                                  0b01000000, 0b00000000}})); // pixel 1
    EXPECT_TRUE(sprite.HasPreciseMasks());
    EXPECT_EQ(MaskOf(sprite, 0), (Bytes{1, 0, 0, 0, 0, 0, 0, 1, 1, 1, //
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 1, //
                                        0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));

    // 3x1 masks with pixel i set in mask i.
    CSprite separate(MaskedSprite(3, 1, 3, {{0b10000000}, {0b01000000}, {0b00100000}}));
    EXPECT_EQ(MaskOf(separate, 0), (Bytes{1, 0, 0}));
    EXPECT_EQ(MaskOf(separate, 2), (Bytes{0, 0, 1}));
    EXPECT_EQ(MaskOf(separate, 4), (Bytes{0, 1, 0}));
    EXPECT_EQ(MaskOf(separate, -1), (Bytes{0, 0, 1}));
    EXPECT_EQ(MaskOf(separate, -3), (Bytes{1, 0, 0}));
    // One mask, or any count that is not one per frame: the first serves every frame.
    CSprite shared(MaskedSprite(3, 1, 3, {{0b01000000}, {0b10000000}}));
    for (int32_t frame : {0, 1, -7})
        EXPECT_EQ(MaskOf(shared, frame), (Bytes{0, 1, 0})) << frame;

    // Masks are only there with frames, and only precise for kind one.
    EXPECT_EQ(CSprite(MaskedSprite(3, 1, 0, {{0b10000000}})).Mask(0), nullptr);
    EXPECT_EQ(CSprite(MaskedSprite(3, 1, 2, {})).Mask(0), nullptr);
    EXPECT_FALSE(CSprite(MaskedSprite(3, 1, 2, {})).HasPreciseMasks());
    PackageSprite rotated = MaskedSprite(3, 1, 1, {{0b10000000}});
    rotated.mask_kind = package::kMaskRotatedRectangle;
    EXPECT_FALSE(CSprite(rotated).HasPreciseMasks());
    EXPECT_EQ(MaskOf(CSprite(rotated), 0), (Bytes{1, 0, 0}));
}

PackageSprite Sprite(std::string_view name, uint32_t width, int frame_count) {
    PackageSprite sprite = MaskedSprite(width, width / 2, frame_count, {});
    sprite.name = name;
    sprite.origin_x = 4;
    sprite.origin_y = -2;
    sprite.playback_speed = 12;
    return sprite;
}

class SpriteFunctions : public BuiltinCallTest {
protected:
    void SetUp() override {
        BuiltinCallTest::SetUp();
        // Only this group, wherever start-up registers it.
        ClearBuiltins();
        RegisterSpriteFunctions();
        LoadSprites({Sprite("sBlock", 16, 1), std::nullopt, Sprite("sMireth", 24, 6)});
    }
    void TearDown() override {
        ClearSprites();
        BuiltinCallTest::TearDown();
    }
    double Get(const char* getter, double index) { return Number(getter, Num(index)); }
};

TEST_F(SpriteFunctions, GettersReadTheRecordAndSetOffsetMovesItsOrigin) {
    EXPECT_EQ((std::vector{Get("sprite_get_number", 2), Get("sprite_get_width", 2),
                           Get("sprite_get_height", 2), Get("sprite_get_xoffset", 2),
                           Get("sprite_get_yoffset", 2), Get("sprite_get_speed", 2)}),
              (std::vector<double>{6, 24, 12, 4, -2, 12}));
    EXPECT_EQ(std::pair(Text("sprite_get_name", Num(2)), Text("sprite_get_name", Num(0))),
              (std::pair<std::string, std::string>("sMireth", "sBlock")));
    // The origin moves in whole pixels; other sprites keep theirs.
    Call("sprite_set_offset", Num(0), Num(7.9), Num(-3.5));
    EXPECT_EQ((std::vector{Get("sprite_get_xoffset", 0), Get("sprite_get_yoffset", 0),
                           Get("sprite_get_xoffset", 2)}),
              (std::vector<double>{7, -3, 4}));

    // A missing sprite gives zero and undefined, quietly.
    std::string errors;
    ErrorOutput().CaptureTo(&errors);
    for (double index : {1.0, 3.0, -1.0}) {
        for (const char* getter : {"sprite_get_number", "sprite_get_width", "sprite_get_height",
                                   "sprite_get_xoffset", "sprite_get_yoffset", "sprite_get_speed"})
            EXPECT_EQ(Get(getter, index), 0) << getter << " " << index;
        EXPECT_EQ(Text("sprite_get_name", Num(index)), "<undefined>");
        Call("sprite_set_offset", Num(index), Num(1), Num(1));
    }
    ErrorOutput().CaptureTo(nullptr);
    EXPECT_EQ(debug_ + errors, "");
    EXPECT_EQ(std::pair(Get("sprite_get_xoffset", 0), Get("sprite_get_xoffset", 2)),
              std::pair(7.0, 4.0));

    // The table keeps the package's indices; a second load replaces the first.
    EXPECT_EQ(SpriteCount(), 3);
    EXPECT_TRUE(!GetSprite(1) && !GetSprite(3) && !GetSprite(-1));
    LoadSprites({Sprite("sOther", 8, 1)});
    EXPECT_EQ(SpriteCount(), 1);
    EXPECT_EQ(GetSprite(0)->Name(), "sOther");
    ClearSprites();
    EXPECT_TRUE(SpriteCount() == 0 && !GetSprite(0));
}

} // namespace
