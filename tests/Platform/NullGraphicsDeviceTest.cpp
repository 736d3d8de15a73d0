// The null drawing device keeps textures as the OpenGL device does and refuses what it refuses.
// Its record of draws and clears is read, and so checked, by every drawing-layer test.
#include <gtest/gtest.h>

#include "Platform/null/NullBackends.h"

namespace {

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
    EXPECT_EQ(device.textures.at(page).width, 8);
    EXPECT_EQ(device.textures.at(page).height, 4);
    EXPECT_FALSE(device.textures.at(page).render_target);
    EXPECT_EQ(device.textures.at(target).height, 3);
    EXPECT_TRUE(device.textures.at(target).render_target);

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
    EXPECT_TRUE(device.draws.empty());
    EXPECT_TRUE(device.ReadPixels(0, 0, 8, 8).empty());

    device.DestroyTexture(target);
    EXPECT_EQ(device.target, 0); // the window again
    device.DestroyTexture(target);
    EXPECT_EQ(device.textures.size(), 1u);
    EXPECT_EQ(device.textures_created, 2);
    EXPECT_NE(device.CreateTexture(1, 1, pixels.data()), target); // ids are not reused
}

} // namespace
