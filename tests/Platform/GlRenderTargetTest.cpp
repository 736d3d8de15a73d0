// The OpenGL device's render targets: drawn into, read back top row first, drawn to the
// window the right way up, and the golden image of a small scene that uses them.
#include <gtest/gtest.h>

#include "GlTestWindow.h"
#include "GoldenImage.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kClear{0, 0, 0, 0};

class GlRenderTarget : public ::testing::Test {
protected:
    static constexpr int kWindow = 16;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(window_.Open(kWindow, kWindow, error)) << error;
        device().BeginFrame();
        device().Clear(0xFF000000);
    }
    GraphicsDevice& device() { return window_.Device(); }
    void Draw(TextureId texture, const std::array<Vertex, 6>& quad) {
        device().DrawTriangles(texture, quad.data(), static_cast<int>(quad.size()));
    }
    // A 4x4 target, red in its top half and blue below, drawing left on the window.
    TextureId RedOverBlue() {
        TextureId target = device().CreateRenderTarget(4, 4);
        device().SetRenderTarget(target);
        device().SetProjection(0, 0, 4, 4);
        Draw(0, Quad(0, 0, 4, 2, VertexColour(kRed)));
        Draw(0, Quad(0, 2, 4, 4, VertexColour(kBlue)));
        device().SetRenderTarget(0);
        device().SetProjection(0, 0, kWindow, kWindow);
        return target;
    }

    GlTestWindow window_;
};

TEST_F(GlRenderTarget, StartsTransparentAndCountsRowsAndItsViewportFromItsTop) {
    TextureId target = device().CreateRenderTarget(4, 4);
    ASSERT_NE(target, 0);
    device().SetRenderTarget(target);
    EXPECT_EQ(device().ReadPixels(0, 0, 4, 4), std::vector<uint8_t>(4 * 4 * 4, 0));
    device().SetProjection(0, 0, 4, 4);
    Draw(0, Quad(0, 0, 4, 1, VertexColour(kRed)));
    Draw(0, Quad(2, 3, 3, 4, VertexColour(kBlue)));

    std::vector<uint8_t> pixels = device().ReadPixels(0, 0, 4, 4);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(PixelAt(pixels, 4, x, 0), kRed) << x;
    EXPECT_EQ(PixelAt(pixels, 4, 1, 1), kClear);
    EXPECT_EQ(PixelAt(pixels, 4, 2, 3), kBlue);
    // A part read counts from the top too.
    std::vector<uint8_t> part = device().ReadPixels(2, 2, 2, 2);
    EXPECT_EQ(PixelAt(part, 2, 0, 1), kBlue);
    EXPECT_EQ(PixelAt(part, 2, 1, 1), kClear);
    EXPECT_TRUE(device().ReadPixels(0, 0, 5, 4).empty());

    device().SetViewport(0, 1, 4, 1);
    device().Clear(0xFF00FF00);
    pixels = device().ReadPixels(0, 0, 4, 4);
    EXPECT_EQ(PixelAt(pixels, 4, 1, 0), kRed);
    EXPECT_EQ(PixelAt(pixels, 4, 1, 1), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(PixelAt(pixels, 4, 1, 2), kClear);
}

TEST_F(GlRenderTarget, DrawnOnTheWindowItShowsTheRightWayUpButNotIntoItself) {
    TextureId target = RedOverBlue();
    Draw(target, Quad(0, 0, 8, 8, VertexColour({255, 255, 255, 255})));
    std::vector<uint8_t> pixels = device().ReadPixels(0, 0, kWindow, kWindow);
    EXPECT_EQ(PixelAt(pixels, kWindow, 0, 0), kRed);
    EXPECT_EQ(PixelAt(pixels, kWindow, 7, 3), kRed);
    EXPECT_EQ(PixelAt(pixels, kWindow, 0, 4), kBlue);
    EXPECT_EQ(PixelAt(pixels, kWindow, 7, 7), kBlue);
    EXPECT_EQ(PixelAt(pixels, kWindow, 8, 8), (Rgba{0, 0, 0, 255}));

    // Drawn into itself it would leave its blue middle at the top left.
    device().SetRenderTarget(target);
    Draw(target, Quad(0, 0, 4, 4, VertexColour({255, 255, 255, 255})));
    pixels = device().ReadPixels(0, 0, 4, 4);
    EXPECT_EQ(PixelAt(pixels, 4, 0, 0), kRed);
    EXPECT_EQ(PixelAt(pixels, 4, 0, 3), kBlue);
}

TEST_F(GlRenderTarget, CreatingOneKeepsTheCurrentTargetAndViewportAndDestroyingItLeavesIt) {
    TextureId target = device().CreateRenderTarget(4, 4);
    device().SetRenderTarget(target);
    device().SetViewport(2, 0, 2, 4);
    ASSERT_NE(device().CreateRenderTarget(8, 8), 0);
    device().Clear(0xFF0000FF);
    std::vector<uint8_t> pixels = device().ReadPixels(0, 0, 4, 4);
    EXPECT_EQ(PixelAt(pixels, 4, 1, 0), kClear);
    EXPECT_EQ(PixelAt(pixels, 4, 2, 0), kBlue);

    // Destroying the current one returns to the whole window.
    device().DestroyTexture(target);
    device().SetProjection(0, 0, kWindow, kWindow);
    Draw(0, Quad(0, 0, kWindow, kWindow, VertexColour(kRed)));
    pixels = device().ReadPixels(0, 0, kWindow, kWindow);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(PixelAt(pixels, kWindow, 15, 15), kRed);
}

// A target cleared half-transparent, drawn on with the blend modes, then drawn twice on the
// window, once mirrored: orientation, blending and texture coordinates in one picture.
TEST_F(GlRenderTarget, ASceneMatchesItsGoldenImage) {
    TextureId target = device().CreateRenderTarget(8, 8);
    device().SetRenderTarget(target);
    device().SetProjection(0, 0, 8, 8);
    device().Clear(0x80204060);
    Draw(0, Quad(0, 0, 6, 3, VertexColour({255, 128, 0, 192})));
    device().SetBlend({BlendFactor::SourceAlpha, BlendFactor::One});
    Draw(0, Quad(2, 2, 8, 6, VertexColour({0, 128, 255, 128})));
    device().SetBlend({BlendFactor::Zero, BlendFactor::InverseSourceColour});
    Draw(0, Quad(0, 5, 4, 8, VertexColour({64, 255, 0, 255})));

    device().SetRenderTarget(0);
    device().SetBlend({});
    device().SetProjection(0, 0, kWindow, kWindow);
    device().Clear(0xFF102030);
    Draw(target, Quad(0, 0, 8, 8, VertexColour({255, 255, 255, 255})));
    std::array<Vertex, 6> mirrored = Quad(8, 8, 16, 16, VertexColour({255, 255, 255, 255}));
    for (Vertex& corner : mirrored)
        corner.u = 1 - corner.u;
    Draw(target, mirrored);

    RgbaImage image{kWindow, kWindow, device().ReadPixels(0, 0, kWindow, kWindow)};
    EXPECT_TRUE(MatchesGoldenImage(image, "Platform/golden/render_target_scene.png"));
}

} // namespace
