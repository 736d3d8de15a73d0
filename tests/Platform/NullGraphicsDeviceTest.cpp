// The null drawing device's record, which the drawing layer's tests read: each draw and clear
// with its state, the textures that exist, and the same refusals as the OpenGL device.
#include <gtest/gtest.h>

#include "Platform/null/NullBackends.h"

namespace {

using Viewport = NullGraphicsDevice::Viewport;
using Projection = NullGraphicsDevice::Projection;

const std::vector<uint8_t> kPixels(64 * 4, 0xFF);

Vertex Corner(float x, float y) {
    return {x, y, 0, 0xFF0000FF, x / 8, y / 8};
}

TEST(NullGraphicsDevice, RecordsEachDrawAndClearWithTheStateItWasMadeIn) {
    NullGraphicsDevice device;
    TextureId page = device.CreateTexture(8, 8, kPixels.data());
    TextureId target = device.CreateRenderTarget(32, 16);
    const Vertex triangle[4] = {Corner(0, 0), Corner(8, 0), Corner(8, 8), Corner(0, 8)};

    device.BeginFrame();
    device.SetProjection(10, 20, 330, 200);
    device.DrawTriangles(page, triangle, 3);
    device.SetRenderTarget(target);
    device.SetProjection(0, 0, 32, 16);
    device.SetBlend({BlendFactor::SourceAlpha, BlendFactor::One});
    device.DrawTriangles(0, triangle, 4); // the incomplete triangle is dropped

    ASSERT_EQ(device.draws.size(), 2u);
    const NullGraphicsDevice::DrawRecord& window = device.draws[0];
    EXPECT_EQ(window.texture, page);
    EXPECT_EQ(window.target, 0);
    EXPECT_EQ(window.blend, BlendState{});
    EXPECT_EQ(window.projection, (Projection{10, 20, 330, 200}));
    EXPECT_EQ(window.viewport, (Viewport{0, 0, 640, 480}));
    ASSERT_EQ(window.vertices.size(), 3u);
    EXPECT_EQ(window.vertices[1].x, 8);
    EXPECT_EQ(window.vertices[2].v, 1);

    const NullGraphicsDevice::DrawRecord& surface = device.draws[1];
    EXPECT_EQ(surface.texture, 0);
    EXPECT_EQ(surface.target, target);
    EXPECT_EQ(surface.blend, (BlendState{BlendFactor::SourceAlpha, BlendFactor::One}));
    EXPECT_EQ(surface.projection, (Projection{0, 0, 32, 16}));
    EXPECT_EQ(surface.viewport, (Viewport{0, 0, 32, 16}));
    EXPECT_EQ(surface.vertices.size(), 3u);

    // Clears with their target and viewport.
    device.drawable_width = 320;
    device.drawable_height = 180;
    device.Present();
    device.BeginFrame();
    device.SetViewport(10, 20, 30, 40);
    device.Clear(0xFF112233);
    device.SetRenderTarget(target);
    device.Clear(0x00000000);
    ASSERT_EQ(device.clears.size(), 2u);
    EXPECT_EQ(device.clears[0].target, 0);
    EXPECT_EQ(device.clears[0].argb, 0xFF112233u);
    EXPECT_EQ(device.clears[0].viewport, (Viewport{10, 20, 30, 40}));
    EXPECT_EQ(device.clears[1].target, target);
    EXPECT_EQ(device.clears[1].viewport, (Viewport{0, 0, 32, 16}));

    device.Present();
    device.BeginFrame(); // back to the whole window
    EXPECT_EQ(device.target, 0);
    EXPECT_EQ(device.viewport, (Viewport{0, 0, 320, 180}));
    EXPECT_EQ(device.frames_begun, 3);
    EXPECT_EQ(device.frames_presented, 2);
}

TEST(NullGraphicsDevice, KeepsTexturesWithTheirSizesUntilDestroyed) {
    NullGraphicsDevice device;
    TextureId page = device.CreateTexture(8, 4, kPixels.data());
    TextureId target = device.CreateRenderTarget(2, 3);
    ASSERT_EQ(device.textures.size(), 2u);
    EXPECT_EQ(device.textures.at(page).width, 8);
    EXPECT_EQ(device.textures.at(page).height, 4);
    EXPECT_FALSE(device.textures.at(page).render_target);
    EXPECT_EQ(device.textures.at(target).height, 3);
    EXPECT_TRUE(device.textures.at(target).render_target);

    device.SetRenderTarget(target);
    device.DestroyTexture(target);
    EXPECT_EQ(device.target, 0); // the window again
    device.DestroyTexture(target);
    EXPECT_EQ(device.textures.size(), 1u);
    EXPECT_EQ(device.textures_created, 2);
    EXPECT_NE(device.CreateTexture(1, 1, kPixels.data()), target); // ids are not reused
}

TEST(NullGraphicsDevice, RefusesWhatTheOpenGlDeviceRefuses) {
    NullGraphicsDevice device;
    EXPECT_EQ(device.CreateTexture(0, 1, kPixels.data()), 0);
    EXPECT_EQ(device.CreateTexture(1, 1, nullptr), 0);
    EXPECT_EQ(device.CreateRenderTarget(-1, 1), 0);
    EXPECT_EQ(device.CreateRenderTarget(NullGraphicsDevice::kMaxTextureSide + 1, 1), 0);
    EXPECT_TRUE(device.textures.empty());

    TextureId page = device.CreateTexture(8, 8, kPixels.data());
    TextureId target = device.CreateRenderTarget(8, 8);
    device.SetRenderTarget(page); // not a render target
    device.SetRenderTarget(999);
    EXPECT_EQ(device.target, 0);
    device.SetBlend({static_cast<BlendFactor>(0), BlendFactor::One});
    EXPECT_EQ(device.blend, BlendState{});

    const Vertex triangle[3] = {Corner(0, 0), Corner(8, 0), Corner(8, 8)};
    device.DrawTriangles(999, triangle, 3);
    device.DrawTriangles(page, triangle, 2);
    device.SetRenderTarget(target);
    device.DrawTriangles(target, triangle, 3); // into itself
    EXPECT_TRUE(device.draws.empty());
    EXPECT_TRUE(device.ReadPixels(0, 0, 8, 8).empty());
}

} // namespace
