// Sprites written as palette rows, packed onto texture pages by the packer, read back by the
// package reader and drawn by the runner's drawing layer on the real OpenGL device: the picture
// must be the rows, pixel for pixel, wherever the packer put each trimmed frame.
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "AssetFolder.h"
#include "BuiltinCallFixture.h"
#include "Graphics/GraphicsContext.h"
#include "Package/PackageReader.h"
#include "PackageWriter.h"
#include "Platform/GlTestWindow.h"
#include "Platform/GoldenImage.h"
#include "Sprite/SpriteTable.h"
#include "TestFiles.h"

namespace fs = std::filesystem;

namespace {


// A walker of two frames (trimmed differently; the second one-footed, so its mirror shows) and
// a precise star, with the shared palette.
void WriteAssets(const fs::path& folder) {
    WriteText(folder / "game.txt", "name Golden\nwindow 48 24\nsprites\n  sWalker\n");
    WriteText(folder / "palette.txt", ". transparent\nk #102030\nr #d02828\nw #f0f0e8\ny #f8d038\n");
    WriteText(folder / "sprites" / "sWalker.sprite", R"(origin center
frame
  ........
  ..kkkk..
  .krrrrk.
  .krwwrk.
  .krrrrk.
  ..k..k..
  ........
  ........
frame
  ........
  ........
  ..kkkk..
  .krrrrk.
  .krwwrk.
  .krrrrk.
  .kk...k.
  ........
)");
    WriteText(folder / "sprites" / "sStar.sprite", R"(mask precise
frame
  ...y...
  ..yyy..
  yyyyyyy
  .yyyyy.
  .y...y.
)");
}

class PackedSpriteGolden : public BuiltinCallTest {
protected:
    void TearDown() override {
        SetActiveGraphics(nullptr);
        ClearSprites();
        graphics_.reset();
        BuiltinCallTest::TearDown();
    }

    GlTestWindow window_;
    std::unique_ptr<GraphicsContext> graphics_;
};

} // namespace

TEST_F(PackedSpriteGolden, PackedFramesDrawAsTheirRows) {
    const fs::path folder = fs::path(TEST_BINARY_DIR) / "packed_sprite_golden";
    fs::remove_all(folder);
    WriteAssets(folder);
    GamePackage package;
    ASSERT_TRUE(ReadPackage(WritePackage(AssetFolder(folder).Package()), package).ok);

    std::string error;
    ASSERT_TRUE(window_.Open(48, 24, error)) << error;
    graphics_ = std::make_unique<GraphicsContext>(window_.Device(), 48, 24);
    graphics_->LoadPackage(package);
    SetActiveGraphics(graphics_.get());
    LoadSprites(package.sprites);
    window_.Device().BeginFrame();
    graphics_->BeginFrame();

    auto number = [](double value) { return ScopedRValue(RealValue(value)); };
    Call("draw_clear_alpha", number(0x403020), number(1));
    // Both walker frames, the second mirrored, then the star doubled.
    Call("draw_sprite", number(0), number(0), number(4), number(4));
    Call("draw_sprite_ext", number(0), number(1), number(16), number(4), number(-1), number(1), number(0),
         number(0xFFFFFF), number(1));
    Call("draw_sprite_ext", number(1), number(0), number(24), number(4), number(2), number(2), number(0),
         number(0xFFFFFF), number(1));
    graphics_->Flush();
    const RgbaImage picture{48, 24, window_.Device().ReadPixels(0, 0, 48, 24)};

    // A few pixels by the rows, so that a picture rewritten without looking cannot hide a fault:
    // the walker's white eye (row 3, columns 3-4 around origin 4,4), and the star's top point.
    EXPECT_EQ(PixelAt(picture.pixels, 48, 3, 3), (Rgba{0xf0, 0xf0, 0xe8, 255}));
    EXPECT_EQ(PixelAt(picture.pixels, 48, 0, 0), (Rgba{0x20, 0x30, 0x40, 255}));
    EXPECT_EQ(PixelAt(picture.pixels, 48, 24 + 6, 4), (Rgba{0xf8, 0xd0, 0x38, 255}));
    EXPECT_EQ(PixelAt(picture.pixels, 48, 24 + 5, 4), (Rgba{0x20, 0x30, 0x40, 255}));
    EXPECT_TRUE(MatchesGoldenImage(picture, "tools/golden/packed_sprites.png"));
}
