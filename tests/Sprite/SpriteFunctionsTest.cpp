// The sprite table and the sprite built-ins, called by name through the registry.
#include "Sprite/SpriteFunctions.h"

#include "BuiltinCallFixture.h"
#include "Code/ValueTestSupport.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"

namespace {

PackageSprite Sprite(std::string_view name, uint32_t width, int frame_count) {
    PackageSprite sprite;
    sprite.name = name;
    sprite.width = width;
    sprite.height = width / 2;
    sprite.origin_x = 4;
    sprite.origin_y = -2;
    sprite.playback_speed = 12;
    sprite.frames.assign(static_cast<size_t>(frame_count), 0);
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
};

TEST_F(SpriteFunctions, TheTableKeepsThePackageIndices) {
    EXPECT_EQ(SpriteCount(), 3);
    ASSERT_NE(GetSprite(2), nullptr);
    EXPECT_EQ(GetSprite(2)->Name(), "sMireth");
    EXPECT_EQ(GetSprite(1), nullptr);
    EXPECT_EQ(GetSprite(3), nullptr);
    EXPECT_EQ(GetSprite(-1), nullptr);

    LoadSprites({Sprite("sOther", 8, 1)}); // a second load replaces the first
    EXPECT_EQ(SpriteCount(), 1);
    EXPECT_EQ(GetSprite(0)->Name(), "sOther");
    ClearSprites();
    EXPECT_EQ(SpriteCount(), 0);
    EXPECT_EQ(GetSprite(0), nullptr);
}

TEST_F(SpriteFunctions, GettersReadTheRecordAndSetOffsetMovesItsOrigin) {
    EXPECT_EQ(Number("sprite_get_number", Num(2)), 6);
    EXPECT_EQ(Number("sprite_get_width", Num(2)), 24);
    EXPECT_EQ(Number("sprite_get_height", Num(2)), 12);
    EXPECT_EQ(Number("sprite_get_xoffset", Num(2)), 4);
    EXPECT_EQ(Number("sprite_get_yoffset", Num(2)), -2);
    EXPECT_EQ(Number("sprite_get_speed", Num(2)), 12);
    EXPECT_EQ(Text("sprite_get_name", Num(2)), "sMireth");
    EXPECT_EQ(Text("sprite_get_name", Num(0)), "sBlock");

    // The origin moves in whole pixels.
    Call("sprite_set_offset", Num(0), Num(7.9), Num(-3.5));
    EXPECT_EQ(Number("sprite_get_xoffset", Num(0)), 7);
    EXPECT_EQ(Number("sprite_get_yoffset", Num(0)), -3);
    EXPECT_EQ(Number("sprite_get_xoffset", Num(2)), 4); // other sprites keep theirs
}

TEST_F(SpriteFunctions, AMissingSpriteGivesZeroAndUndefinedQuietly) {
    std::string errors;
    ErrorOutput().CaptureTo(&errors);
    for (double index : {1.0, 3.0, -1.0}) {
        for (const char* getter : {"sprite_get_number", "sprite_get_width", "sprite_get_height",
                                   "sprite_get_xoffset", "sprite_get_yoffset", "sprite_get_speed"})
            EXPECT_EQ(Number(getter, Num(index)), 0) << getter << " " << index;
        EXPECT_EQ(Text("sprite_get_name", Num(index)), "<undefined>");
        Call("sprite_set_offset", Num(index), Num(1), Num(1));
    }
    ErrorOutput().CaptureTo(nullptr);
    EXPECT_EQ(debug_ + errors, "");
    EXPECT_EQ(Number("sprite_get_xoffset", Num(0)), 4);
}

} // namespace
