// The drawing devices. The OpenGL one drawing into a window without a display (SDL's offscreen
// driver, EGL), read back: where textured triangles land, how colours combine, the projection
// and viewport, render targets read top row first and drawn the right way up, blending, and
// requests it refuses; and the golden image helper's own rules. The null one keeps textures as the OpenGL one does and refuses what
// it refuses; its record of draws and clears is read, and so checked, by every drawing-layer test.
#include <filesystem>
#include <gtest/gtest.h>

#include "Graphics/GoldenPixels.h"
#include "Platform/null/NullBackends.h"

namespace {

constexpr Rgba kClear{0, 0, 0, 0};

class GlDrawing : public ::testing::Test {
protected:
    static constexpr int kSize = 40;

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(window_.Open(kSize, kSize, error)) << error;
        device().BeginFrame();
        device().SetProjection(0, 0, kSize, kSize);
        device().Clear(0xFF000000);
    }
    GraphicsDevice& device() { return window_.Device(); }
    void Draw(TextureId texture, const std::array<Vertex, 6>& quad) {
        device().DrawTriangles(texture, quad.data(), static_cast<int>(quad.size()));
    }
    std::vector<uint8_t> ReadWindow() { return device().ReadPixels(0, 0, kSize, kSize); }
    std::vector<uint8_t> Read(int size) { return device().ReadPixels(0, 0, size, size); }
    // The pixels at these places of the top-left size x size read back.
    std::vector<Rgba> At(int size, std::initializer_list<std::pair<int, int>> places) {
        const std::vector<uint8_t> pixels = Read(size);
        std::vector<Rgba> found;
        for (const auto& [x, y] : places)
            found.push_back(PixelAt(pixels, size, x, y));
        return found;
    }
    // A new size x size render target, drawn into with a projection over it.
    TextureId Target(int size) {
        const TextureId target = device().CreateRenderTarget(size, size);
        device().SetRenderTarget(target);
        device().SetProjection(0, 0, size, size);
        return target;
    }
    // The window's top-left 16x16 pixels, one to one.
    void DrawOnTheWindow() {
        device().SetRenderTarget(0);
        device().SetViewport(0, 0, 16, 16);
        device().SetProjection(0, 0, 16, 16);
    }
    // Every pixel of the window: `inside` within [left, right) x [top, bottom), black outside.
    void ExpectRectangle(int left, int top, int right, int bottom, const Rgba& inside) {
        std::vector<uint8_t> pixels = ReadWindow();
        ASSERT_EQ(pixels.size(), size_t{kSize} * kSize * 4);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const bool in = x >= left && x < right && y >= top && y < bottom;
                ASSERT_EQ(PixelAt(pixels, kSize, x, y), in ? inside : kBlack) << x << ", " << y;
            }
    }

    GlTestWindow window_;
};

TEST_F(GlDrawing, EachTexelCoversWholePixelsAndTheVertexColourMultipliesIt) {
    const Rgba texels[4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, kWhite};
    std::vector<uint8_t> rgba;
    for (const Rgba& texel : texels)
        rgba.insert(rgba.end(),
                    {uint8_t(texel.r), uint8_t(texel.g), uint8_t(texel.b), uint8_t(texel.a)});
    TextureId texture = device().CreateTexture(2, 2, rgba.data());
    ASSERT_NE(texture, 0);
    Draw(texture, Quad(4, 6, 10, 12, VertexColour(kWhite)));
    // Tinted, and without a texture, where the vertex colour is drawn as it is.
    const uint8_t texel[4] = {200, 100, 50, 255};
    Draw(device().CreateTexture(1, 1, texel), Quad(20, 0, 28, 8, VertexColour({128, 255, 64, 255})));
    Draw(0, Quad(28, 0, 36, 8, VertexColour({10, 20, 30, 255})));

    std::vector<uint8_t> pixels = ReadWindow();
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (x >= 20 && y < 8) continue;
            Rgba expected = kBlack;
            if (x >= 4 && x < 10 && y >= 6 && y < 12)
                expected = texels[(y - 6) / 3 * 2 + (x - 4) / 3];
            ASSERT_EQ(PixelAt(pixels, kSize, x, y), expected) << x << ", " << y;
        }
    EXPECT_TRUE(Near(PixelAt(pixels, kSize, 23, 3), {200 * 128 / 255, 100, 50 * 64 / 255, 255}))
        << PixelAt(pixels, kSize, 23, 3);
    EXPECT_EQ(PixelAt(pixels, kSize, 32, 3), (Rgba{10, 20, 30, 255}));
}

TEST_F(GlDrawing, TheProjectionAndViewportPlaceTheWorldAndANewFrameResetsThem) {
    device().SetProjection(0, 0, 20, 20);
    Draw(0, Quad(0, 0, 10, 10, VertexColour(kWhite)));
    ExpectRectangle(0, 0, 20, 20, kWhite);

    device().Clear(0xFF000000);
    device().SetProjection(100, 50, 140, 90);
    Draw(0, Quad(110, 70, 115, 80, VertexColour(kWhite)));
    ExpectRectangle(10, 20, 15, 30, kWhite);

    // The viewport confines drawing and clears, counting from the top.
    device().Clear(0xFF000000);
    device().SetViewport(20, 4, 10, 10);
    device().SetProjection(0, 0, 10, 10);
    Draw(0, Quad(0, 0, 5, 20, VertexColour(kWhite)));
    ExpectRectangle(20, 4, 25, 14, kWhite);
    device().Clear(0xFFFFFFFF);
    ExpectRectangle(20, 4, 30, 14, kWhite);

    device().BeginFrame();
    device().Clear(0xFFFFFFFF);
    ExpectRectangle(0, 0, kSize, kSize, kWhite);
    int width = 0, height = 0;
    device().DrawableSize(width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(kSize, kSize));
    device().Present();
    // Offscreen EGL accepts a swap interval but never waits on it: our clock must pace.
    EXPECT_FALSE(device().SwapIntervalThrottles());
}

TEST_F(GlDrawing, RefusesEmptyOrOversizedTexturesUnknownIdsAndReadsOutsideTheWindow) {
    const std::vector<uint8_t> pixels(16, 0xFF);
    EXPECT_EQ((std::vector{device().CreateTexture(0, 2, pixels.data()),
                           device().CreateTexture(2, -1, pixels.data()),
                           device().CreateTexture(2, 2, nullptr),
                           device().CreateTexture(1 << 20, 1, pixels.data()),
                           device().CreateRenderTarget(0, 0),
                           device().CreateRenderTarget(1, 1 << 20)}),
              std::vector<TextureId>(6, 0));
    EXPECT_TRUE(device().ReadPixels(-1, 0, 2, 2).empty() &&
                device().ReadPixels(0, 0, kSize + 1, 1).empty() &&
                device().ReadPixels(0, kSize - 1, 1, 2).empty() &&
                device().ReadPixels(0, 0, 0, 1).empty());

    const TextureId first = device().CreateTexture(2, 2, pixels.data());
    const TextureId second = device().CreateTexture(2, 2, pixels.data());
    EXPECT_TRUE(first > 0 && second > 0 && first != second) << first << " " << second;
    device().DestroyTexture(first);
    device().DestroyTexture(first);
    device().DestroyTexture(12345);
    device().SetRenderTarget(second); // a plain texture is no target: drawing stays on the window
    device().SetRenderTarget(12345);
    Draw(first, Quad(0, 0, 10, 10, VertexColour(kWhite)));
    Draw(12345, Quad(0, 0, 10, 10, VertexColour(kWhite)));
    Draw(second, Quad(30, 30, 40, 40, VertexColour(kWhite)));
    ExpectRectangle(30, 30, 40, 40, kWhite);

    // A part of the window reads from the top too.
    device().SetViewport(0, 0, 1, 1);
    device().Clear(0xFFFFFFFF);
    EXPECT_EQ(At(2, {{0, 0}, {1, 0}}), (std::vector{kWhite, kBlack}));
}

TEST_F(GlDrawing, ARenderTargetStartsTransparentAndCountsRowsAndItsViewportFromItsTop) {
    const TextureId target = Target(4);
    ASSERT_NE(target, 0);
    EXPECT_EQ(Read(4), std::vector<uint8_t>(4 * 4 * 4, 0));
    Draw(0, Quad(0, 0, 4, 1, VertexColour(kRed)));
    Draw(0, Quad(2, 3, 3, 4, VertexColour(kBlue)));
    EXPECT_EQ(At(4, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 3}}),
              (std::vector{kRed, kRed, kRed, kRed, kClear, kBlue}));
    const std::vector<uint8_t> part = device().ReadPixels(2, 2, 2, 2);
    EXPECT_EQ(std::pair(PixelAt(part, 2, 0, 1), PixelAt(part, 2, 1, 1)), std::pair(kBlue, kClear));
    EXPECT_TRUE(device().ReadPixels(0, 0, 5, 4).empty());

    // Making another target leaves this one current with its viewport.
    device().SetViewport(0, 1, 4, 1);
    ASSERT_NE(device().CreateRenderTarget(8, 8), 0);
    device().Clear(0xFF0000FF);
    EXPECT_EQ(At(4, {{1, 0}, {1, 1}, {1, 2}}), (std::vector{kRed, kBlue, kClear}));

    // Destroying the current one returns to the whole window.
    device().DestroyTexture(target);
    device().SetProjection(0, 0, kSize, kSize);
    Draw(0, Quad(0, 0, kSize, kSize, VertexColour(kRed)));
    EXPECT_EQ(At(kSize, {{kSize - 1, kSize - 1}}), std::vector{kRed});
}

TEST_F(GlDrawing, ARenderTargetOnTheWindowShowsTheRightWayUpButNotIntoItself) {
    const TextureId target = Target(4);
    Draw(0, Quad(0, 0, 4, 2, VertexColour(kRed)));
    Draw(0, Quad(0, 2, 4, 4, VertexColour(kBlue)));
    DrawOnTheWindow();
    Draw(target, Quad(0, 0, 8, 8, VertexColour(kWhite)));
    EXPECT_EQ(At(16, {{0, 0}, {7, 3}, {0, 4}, {7, 7}, {8, 8}}),
              (std::vector{kRed, kRed, kBlue, kBlue, kBlack}));

    // Drawn into itself it would leave its blue middle at the top left.
    device().SetRenderTarget(target);
    Draw(target, Quad(0, 0, 4, 4, VertexColour(kWhite)));
    EXPECT_EQ(At(4, {{0, 0}, {0, 3}}), (std::vector{kRed, kBlue}));
}

// Each factor weighs the source or the destination, colour and alpha alike, and the two add.
TEST_F(GlDrawing, BlendFactorsWeighTheSourceAndTheDestinationAndAdd) {
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
        const Rgba drawn = At(2, {{1, 1}})[0];
        EXPECT_TRUE(Near(drawn, expected)) << drawn << " instead of " << expected;
    }
}

TEST(NullGraphicsDevice, KeepsTexturesUntilDestroyedAndRefusesWhatTheOpenGlDeviceRefuses) {
    const std::vector<uint8_t> pixels(64 * 4, 0xFF);
    NullGraphicsDevice device;
    EXPECT_EQ(device.CreateTexture(0, 1, pixels.data()), 0);
    EXPECT_EQ(device.CreateTexture(1, 1, nullptr), 0);
    EXPECT_EQ(device.CreateRenderTarget(-1, 1), 0);
    EXPECT_EQ(device.CreateRenderTarget(NullGraphicsDevice::kMaxTextureSide + 1, 1), 0);
    const TextureId page = device.CreateTexture(8, 4, pixels.data());
    const TextureId target = device.CreateRenderTarget(2, 3);
    ASSERT_EQ(device.textures.size(), 2u);
    const auto& kept_page = device.textures.at(page);
    const auto& kept_target = device.textures.at(target);
    EXPECT_EQ(std::tuple(kept_page.width, kept_page.height, kept_page.render_target),
              std::tuple(8, 4, false));
    EXPECT_EQ(std::tuple(kept_target.height, kept_target.render_target), std::tuple(3, true));

    device.SetRenderTarget(page); // not a render target
    device.SetRenderTarget(999);
    EXPECT_EQ(device.target, 0);
    device.SetBlend({static_cast<BlendFactor>(0), BlendFactor::One});
    EXPECT_EQ(device.blend, BlendState{});
    const Vertex triangle[3] = {{0, 0, 0, 0xFF0000FF, 0, 0}, {8, 0, 0, 0xFF0000FF, 1, 0},
                                {8, 8, 0, 0xFF0000FF, 1, 1}};
    device.DrawTriangles(999, triangle, 3);
    device.DrawTriangles(page, triangle, 2);
    device.SetRenderTarget(target);
    device.DrawTriangles(target, triangle, 3); // into itself
    EXPECT_TRUE(device.draws.empty() && device.ReadPixels(0, 0, 8, 8).empty());

    device.DestroyTexture(target);
    EXPECT_EQ(device.target, 0); // the window again
    device.DestroyTexture(target);
    EXPECT_EQ(std::pair(device.textures.size(), device.textures_created),
              (std::pair<size_t, int64_t>(1, 2)));
    EXPECT_NE(device.CreateTexture(1, 1, pixels.data()), target); // ids are not reused
}

RgbaImage Gradient(int width, int height) {
    RgbaImage image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.insert(image.pixels.end(),
                                {uint8_t(x * 40), uint8_t(y * 60), 128, uint8_t(255 - x)});
    return image;
}

TEST(GoldenImage, WritesAndReadsBackEveryPixelAndComparesWithinOneStep) {
    const std::string folder = std::string(TEST_BINARY_DIR) + "/golden_image/";
    std::filesystem::create_directories(folder);
    const RgbaImage written = Gradient(5, 3);
    RgbaImage read;
    std::string error;
    ASSERT_TRUE(WritePng(folder + "gradient.png", written, error)) << error;
    ASSERT_TRUE(ReadPng(folder + "gradient.png", read, error)) << error;
    EXPECT_EQ(std::pair(read.width, read.height), std::pair(5, 3));
    EXPECT_EQ(read.pixels, written.pixels);
    EXPECT_FALSE(ReadPng(folder + "missing.png", read, error));
    EXPECT_NE(error.find("missing.png"), std::string::npos);
    EXPECT_FALSE(WritePng(folder + "gradient.png", RgbaImage{2, 2, {0, 0, 0, 0}}, error));

    // One step per channel is let by; beyond it the first pixel is named, or the sizes.
    const RgbaImage expected = Gradient(4, 4);
    RgbaImage actual = expected;
    for (uint8_t& channel : actual.pixels)
        channel = channel == 255 ? 254 : channel + 1;
    EXPECT_EQ(CompareImages(expected, actual), "");
    actual = expected;
    actual.pixels[(2 * 4 + 3) * 4 + 3] -= 2; // alpha of (3, 2)
    actual.pixels[(3 * 4 + 0) * 4 + 0] += 5;
    EXPECT_EQ(
        CompareImages(expected, actual),
        "2 pixels differ; the first at (3, 2) is (120, 120, 128, 250), not (120, 120, 128, 252)");
    EXPECT_EQ(CompareImages(Gradient(4, 2), Gradient(2, 4)), "the image is 2x4, not 4x2");
}

} // namespace
