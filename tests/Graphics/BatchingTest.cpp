// The vertex stream breaks into draw calls only where state changes (texture, render target,
// blend mode) or the buffer fills, and counts what it hands to the device.
#include "DrawingFixture.h"
#include "Graphics/VertexBatch.h"

namespace {

using namespace drawing_test;

class Batching : public DrawingTest {
protected:
    void Sprite(int sprite, double x = 100) {
        Call("draw_sprite", Num(sprite), Num(0), Num(x), Num(100));
    }
};

TEST_F(Batching, OnePageOneTargetOneBlendIsOneDrawCall) {
    graphics_.BeginFrame();
    for (int i = 0; i < 100; ++i)
        Sprite(kFour, i);
    Sprite(kTrim);
    EXPECT_EQ(Draws().size(), 1u);
    EXPECT_EQ(graphics_.Counters().draw_calls, 1);
    EXPECT_EQ(graphics_.Counters().vertices, 101 * 6);
    EXPECT_EQ(graphics_.Counters().texture_binds, 1);
}

TEST_F(Batching, EachStateChangeStartsADrawCallAndOnlyThen) {
    const int32_t surface = int32_t(Number("surface_create", Num(128), Num(128)));
    graphics_.BeginFrame();
    Sprite(kFour);
    Sprite(kOther); // another page
    Sprite(kOther);
    Call("gpu_set_blendmode", Num(bm_normal)); // no change
    Sprite(kOther);
    Call("gpu_set_blendmode", Num(bm_add));
    Sprite(kOther);
    Call("surface_set_target", Num(surface));
    Sprite(kOther, 10);
    Call("surface_reset_target");
    Sprite(kOther);
    Sprite(kFour);

    const auto& draws = Draws();
    ASSERT_EQ(draws.size(), 6u);
    const size_t quads[] = {1, 3, 1, 1, 1, 1};
    for (size_t i = 0; i < draws.size(); ++i)
        EXPECT_EQ(draws[i].vertices.size(), 6 * quads[i]) << i;
    EXPECT_NE(draws[0].texture, draws[1].texture);
    EXPECT_EQ(draws[2].blend.destination, BlendFactor::One);
    EXPECT_NE(draws[3].target, 0);
    EXPECT_EQ(draws[4].target, 0);
    EXPECT_EQ(draws[5].texture, draws[0].texture);
    EXPECT_EQ(graphics_.Counters().draw_calls, 6);
    EXPECT_EQ(graphics_.Counters().texture_binds, 3); // page 0, page 1, page 0 again
}

TEST_F(Batching, AFullBufferIsDrawnAndTheStreamGoesOn) {
    const int quads = VertexBatch::kCapacity / 6 + 1;
    for (int i = 0; i < quads; ++i)
        Sprite(kFour);
    const auto& draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].vertices.size(), size_t(VertexBatch::kCapacity));
    EXPECT_EQ(draws[1].vertices.size(), 6u);
    EXPECT_EQ(draws[1].texture, draws[0].texture);
    EXPECT_EQ(graphics_.Counters().texture_binds, 1);
}

TEST_F(Batching, AShapeAfterASurfaceSamplesTheWhiteTextureInstead) {
    const int32_t surface = int32_t(Number("surface_create", Num(8), Num(8)));
    Call("draw_surface", Num(surface), Num(0), Num(0));
    Call("draw_triangle", Num(0), Num(0), Num(10), Num(0), Num(0), Num(10), Num(0));
    Call("draw_triangle", Num(0), Num(0), Num(10), Num(0), Num(0), Num(10), Num(0));
    const auto& draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[1].vertices.size(), 6u);
    const auto white = device_.textures.find(draws[1].texture);
    ASSERT_NE(white, device_.textures.end());
    EXPECT_EQ(white->second.width, 1);
    EXPECT_EQ(white->second.height, 1);
}

} // namespace
