// The OpenGL device's render targets: drawn into, read back top row first, drawn to the window
// the right way up, blended into, and the golden image of a small scene that uses them.
#include <gtest/gtest.h>

#include "GlTestWindow.h"
#include "GoldenImage.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kWhite{255, 255, 255, 255};

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
    // A new size x size target, drawn into with a projection over it.
    TextureId Target(int size) {
        const TextureId target = device().CreateRenderTarget(size, size);
        device().SetRenderTarget(target);
        device().SetProjection(0, 0, size, size);
        return target;
    }
    void DrawOnTheWindow() {
        device().SetRenderTarget(0);
        device().SetProjection(0, 0, kWindow, kWindow);
    }
    std::vector<uint8_t> Read(int size) { return device().ReadPixels(0, 0, size, size); }

    GlTestWindow window_;
};

TEST_F(GlRenderTarget, StartsTransparentAndCountsRowsAndItsViewportFromItsTop) {
    const TextureId target = Target(4);
    ASSERT_NE(target, 0);
    EXPECT_EQ(Read(4), std::vector<uint8_t>(4 * 4 * 4, 0));
    Draw(0, Quad(0, 0, 4, 1, VertexColour(kRed)));
    Draw(0, Quad(2, 3, 3, 4, VertexColour(kBlue)));
    std::vector<uint8_t> pixels = Read(4);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(PixelAt(pixels, 4, x, 0), kRed) << x;
    EXPECT_EQ(PixelAt(pixels, 4, 1, 1), kClear);
    EXPECT_EQ(PixelAt(pixels, 4, 2, 3), kBlue);
    const std::vector<uint8_t> part = device().ReadPixels(2, 2, 2, 2);
    EXPECT_EQ(PixelAt(part, 2, 0, 1), kBlue);
    EXPECT_EQ(PixelAt(part, 2, 1, 1), kClear);
    EXPECT_TRUE(device().ReadPixels(0, 0, 5, 4).empty());

    // Making another target leaves this one current with its viewport.
    device().SetViewport(0, 1, 4, 1);
    ASSERT_NE(device().CreateRenderTarget(8, 8), 0);
    device().Clear(0xFF0000FF);
    pixels = Read(4);
    EXPECT_EQ(PixelAt(pixels, 4, 1, 0), kRed);
    EXPECT_EQ(PixelAt(pixels, 4, 1, 1), kBlue);
    EXPECT_EQ(PixelAt(pixels, 4, 1, 2), kClear);

    // Destroying the current one returns to the whole window.
    device().DestroyTexture(target);
    device().SetProjection(0, 0, kWindow, kWindow);
    Draw(0, Quad(0, 0, kWindow, kWindow, VertexColour(kRed)));
    pixels = Read(kWindow);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(PixelAt(pixels, kWindow, 15, 15), kRed);
}

TEST_F(GlRenderTarget, DrawnOnTheWindowItShowsTheRightWayUpButNotIntoItself) {
    const TextureId target = Target(4);
    Draw(0, Quad(0, 0, 4, 2, VertexColour(kRed)));
    Draw(0, Quad(0, 2, 4, 4, VertexColour(kBlue)));
    DrawOnTheWindow();
    Draw(target, Quad(0, 0, 8, 8, VertexColour(kWhite)));
    std::vector<uint8_t> pixels = Read(kWindow);
    EXPECT_EQ(PixelAt(pixels, kWindow, 0, 0), kRed);
    EXPECT_EQ(PixelAt(pixels, kWindow, 7, 3), kRed);
    EXPECT_EQ(PixelAt(pixels, kWindow, 0, 4), kBlue);
    EXPECT_EQ(PixelAt(pixels, kWindow, 7, 7), kBlue);
    EXPECT_EQ(PixelAt(pixels, kWindow, 8, 8), (Rgba{0, 0, 0, 255}));

    // Drawn into itself it would leave its blue middle at the top left.
    device().SetRenderTarget(target);
    Draw(target, Quad(0, 0, 4, 4, VertexColour(kWhite)));
    pixels = Read(4);
    EXPECT_EQ(PixelAt(pixels, 4, 0, 0), kRed);
    EXPECT_EQ(PixelAt(pixels, 4, 0, 3), kBlue);
}

// Each factor weighs the source or the destination, colour and alpha alike, and the two add.
TEST_F(GlRenderTarget, BlendFactorsWeighTheSourceAndTheDestinationAndAdd) {
    constexpr Rgba kSource{200, 100, 50, 128};
    using enum BlendFactor;
    const struct {
        BlendState blend;
        Rgba expected;
    } cases[] = {
        {{SourceAlpha, InverseSourceAlpha}, {130, 110, 115, 164}},
        {{SourceAlpha, One}, {160, 170, 205, 255}},
        {{SourceAlpha, InverseSourceColour}, {113, 123, 170, 164}},
        {{Zero, InverseSourceColour}, {13, 73, 145, 100}},
        {{DestinationColour, Zero}, {47, 47, 35, 100}},
        {{DestinationAlpha, InverseDestinationAlpha}, {170, 104, 78, 144}},
        // The source times (1 - destination) plus the destination times the source.
        {{InverseDestinationColour, SourceColour}, kSource},
        {{SourceAlphaSaturate, One}, {103, 142, 191, 255}},
        // Unknown factors leave the blend as it was: the source alone.
        {{static_cast<BlendFactor>(12), One}, kSource},
        {{One, static_cast<BlendFactor>(0)}, kSource},
    };
    Target(2);
    for (const auto& [blend, expected] : cases) {
        device().SetBlend({One, Zero});
        device().Clear(0xC83C78B4); // (60, 120, 180, 200)
        device().SetBlend(blend);
        Draw(0, Quad(0, 0, 2, 2, VertexColour(kSource)));
        const Rgba drawn = PixelAt(Read(2), 2, 1, 1);
        EXPECT_TRUE(Near(drawn, expected)) << drawn << " instead of " << expected;
    }
}

// A target cleared half-transparent, drawn on with the blend modes, then drawn twice on the
// window, once mirrored: orientation, blending and texture coordinates in one picture.
TEST_F(GlRenderTarget, ASceneMatchesItsGoldenImage) {
    const TextureId target = Target(8);
    device().Clear(0x80204060);
    Draw(0, Quad(0, 0, 6, 3, VertexColour({255, 128, 0, 192})));
    device().SetBlend({BlendFactor::SourceAlpha, BlendFactor::One});
    Draw(0, Quad(2, 2, 8, 6, VertexColour({0, 128, 255, 128})));
    device().SetBlend({BlendFactor::Zero, BlendFactor::InverseSourceColour});
    Draw(0, Quad(0, 5, 4, 8, VertexColour({64, 255, 0, 255})));

    DrawOnTheWindow();
    device().SetBlend({});
    device().Clear(0xFF102030);
    Draw(target, Quad(0, 0, 8, 8, VertexColour(kWhite)));
    std::array<Vertex, 6> mirrored = Quad(8, 8, 16, 16, VertexColour(kWhite));
    for (Vertex& corner : mirrored)
        corner.u = 1 - corner.u;
    Draw(target, mirrored);
    RgbaImage image{kWindow, kWindow, Read(kWindow)};
    EXPECT_TRUE(MatchesGoldenImage(image, "Platform/golden/render_target_scene.png"));
}

} // namespace
