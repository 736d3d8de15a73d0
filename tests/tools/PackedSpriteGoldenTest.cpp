// Sprites written as palette rows (golden_assets/), packed onto texture pages by the packer, read
// back by the package reader and drawn by the runner on OpenGL: the picture must be the rows,
// pixel for pixel, wherever the packer put each trimmed frame.
#include <gtest/gtest.h>

#include "AssetFolder.h"
#include "BuiltinCallFixture.h"
#include "Code/ValueTestSupport.h"
#include "Graphics/GlScene.h"
#include "Graphics/GoldenPixels.h"
#include "Package/PackageReader.h"
#include "PackageWriter.h"
#include "Sprite/SpriteTable.h"

namespace {

class PackedSpriteGolden : public BuiltinCallTest {
protected:
    void TearDown() override {
        ClearSprites();
        BuiltinCallTest::TearDown();
    }

    GlScene scene_;
};

} // namespace

TEST_F(PackedSpriteGolden, PackedFramesDrawAsTheirRows) {
    GamePackage package;
    const AssetFolder assets(TEST_SOURCE_DIR "/tools/golden_assets");
    ASSERT_TRUE(ReadPackage(WritePackage(assets.Package()), package).ok);
    LoadSprites(package.sprites);
    ASSERT_TRUE(scene_.Open(48, 24, package));

    Call("draw_clear_alpha", Num(0x403020), Num(1));
    // Both walker frames, the second mirrored, then the star doubled.
    Call("draw_sprite", Num(0), Num(0), Num(4), Num(4));
    Call("draw_sprite_ext", Num(0), Num(1), Num(16), Num(4), Num(-1), Num(1), Num(0), Num(0xFFFFFF),
         Num(1));
    Call("draw_sprite_ext", Num(1), Num(0), Num(24), Num(4), Num(2), Num(2), Num(0), Num(0xFFFFFF),
         Num(1));
    ExpectGolden(scene_.Picture(), "tools/golden/packed_sprites", 0);
}
