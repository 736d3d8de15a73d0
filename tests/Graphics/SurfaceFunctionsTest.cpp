// Surfaces and the target stack through their built-ins: ids, the stack's limits and messages,
// the view each switch sets and restores, and surfaces drawn as one quad.
#include "DrawingFixture.h"

namespace {

using namespace drawing_test;

class SurfaceFunctions : public DrawingTest {
protected:
    int32_t Create(double width, double height) {
        return int32_t(Number("surface_create", Num(width), Num(height)));
    }
    bool Exists(int32_t surface) { return Call("surface_exists", Num(surface)).val != 0; }
    bool SetTarget(int32_t surface) { return Call("surface_set_target", Num(surface)).val != 0; }
    bool ResetTarget() { return Call("surface_reset_target").val != 0; }
};

TEST_F(SurfaceFunctions, IdsNameLiveSurfacesFreedOnesAreReusedAndZeroSizesRefused) {
    const int32_t first = Create(64, 32);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(Create(16, 16), 1);
    EXPECT_TRUE(Exists(first));
    EXPECT_FALSE(Exists(2));
    const TextureId texture = graphics_.Targets().Find(first)->texture;
    EXPECT_TRUE(device_.textures.at(texture).render_target);

    Call("surface_free", Num(first));
    EXPECT_FALSE(Exists(first));
    EXPECT_FALSE(device_.textures.contains(texture));
    EXPECT_EQ(Create(8, 8), first);
    EXPECT_TRUE(errors_.Empty());

    // A zero-sized surface is a runtime error; a negative one the device refuses.
    EXPECT_EQ(Create(0, 10), -1);
    EXPECT_EQ(Create(10, 0.5), -1); // truncated to 0
    EXPECT_EQ(Create(-4, 10), -1);
    EXPECT_EQ(
        errors_.Messages(),
        std::vector<std::string>(2, "Can't create a surface with either a width or height of 0"));
}

TEST_F(SurfaceFunctions, ATargetShowsTheWholeSurfaceAndResettingRestoresTheViewBelow) {
    using Projection = NullGraphicsDevice::Projection;
    const int32_t outer = Create(64, 32), inner = Create(8, 8);
    ASSERT_TRUE(SetTarget(outer));
    EXPECT_EQ(device_.target, graphics_.Targets().Find(outer)->texture);
    EXPECT_EQ(device_.projection, (Projection{0, 0, 64, 32}));
    EXPECT_EQ(device_.viewport, (NullGraphicsDevice::Viewport{0, 0, 64, 32}));
    // Culling follows the surface: sFour reaches 23 pixels.
    Call("draw_sprite", Num(kFour), Num(0), Num(87), Num(16));
    Call("draw_sprite", Num(kFour), Num(0), Num(88), Num(16));
    EXPECT_EQ(Vertices().size(), 6u);

    SetTarget(inner);
    EXPECT_EQ(device_.projection, (Projection{0, 0, 8, 8}));
    ResetTarget();
    EXPECT_EQ(device_.target, graphics_.Targets().Find(outer)->texture);
    EXPECT_EQ(device_.projection, (Projection{0, 0, 64, 32}));
    ASSERT_TRUE(ResetTarget());
    EXPECT_EQ(device_.target, 0);
    EXPECT_EQ(device_.projection, (Projection{0, 0, 320, 180}));
    EXPECT_EQ(device_.viewport, (NullGraphicsDevice::Viewport{0, 0, 640, 480}));
}

TEST_F(SurfaceFunctions, TheStackHoldsSeventeenReportsEveryMisuseAndKeepsItsSurfaces) {
    const int32_t surface = Create(4, 4), top = Create(16, 16);
    for (int i = 0; i < 17; ++i)
        ASSERT_TRUE(SetTarget(surface)) << i;
    EXPECT_FALSE(SetTarget(surface));
    for (int i = 0; i < 17; ++i)
        ASSERT_TRUE(ResetTarget()) << i;
    EXPECT_FALSE(ResetTarget());
    EXPECT_FALSE(SetTarget(top + 1));
    EXPECT_EQ(device_.target, 0);
    // A surface on the stack cannot be freed; one off it can.
    const int32_t off = Create(2, 2);
    SetTarget(surface);
    SetTarget(top);
    Call("surface_free", Num(surface));
    Call("surface_free", Num(off));
    EXPECT_TRUE(Exists(surface));
    EXPECT_FALSE(Exists(off));
    EXPECT_EQ(
        errors_.Messages(),
        (std::vector<std::string>{
            "surface stack is full - ensure surface_reset_target() is called for each "
            "surface_set_target().",
            "Unbalanced surface stack. you are trying to pop a surface that has not been set.",
            "Trying to set a surface target that does not exist.",
            "Surface in use via surface_set_target(). It can not be freed until it has been "
            "removed from the surface stack."}));
    ResetTarget();
    ResetTarget();
    Call("surface_free", Num(surface));
    EXPECT_FALSE(Exists(surface));
}

// Where a surface lands, turned or mirrored, the golden surface scene shows pixel by pixel.
TEST_F(SurfaceFunctions, ASurfaceIsDrawnAsOneQuadOverItsWholeTexture) {
    const int32_t surface = Create(40, 20);
    Call("draw_set_alpha", Num(0.5));
    Call("draw_surface", Num(surface), Num(10), Num(30));
    Call("draw_surface_ext", Num(surface), Num(100), Num(100), Num(-2), Num(1), Num(0),
         Num(0x00FF00), Num(2));
    const auto& draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].texture, graphics_.Targets().Find(surface)->texture);
    const std::vector<Vertex>& drawn = draws[0].vertices;
    ASSERT_EQ(drawn.size(), 12u);
    EXPECT_EQ(Corners(drawn), (std::array<float, 4>{10, 30, 50, 50}));
    EXPECT_EQ((std::array{drawn[0].u, drawn[0].v, drawn[2].u, drawn[2].v}),
              (std::array<float, 4>{0, 0, 1, 1}));
    EXPECT_EQ(drawn[0].colour, 0x7FFFFFFFu);
    EXPECT_EQ(drawn[6].colour, 0xFF00FF00u); // in its colour, alpha clamped

    Call("draw_surface", Num(surface + 1), Num(0), Num(0));
    EXPECT_EQ(errors_.Messages(), std::vector<std::string>{"Trying to use non-existing surface."});
}

TEST_F(SurfaceFunctions, DroppingEverySurfaceLetsTheGameMakeThemAgain) {
    const int32_t surface = Create(16, 16);
    SetTarget(surface);
    Call("draw_sprite", Num(kFour), Num(0), Num(8), Num(8));
    graphics_.Targets().DropAll();
    EXPECT_FALSE(Exists(surface));
    EXPECT_EQ(graphics_.Targets().Depth(), 0u);
    EXPECT_EQ(device_.target, 0);
    EXPECT_EQ(device_.projection, (NullGraphicsDevice::Projection{0, 0, 320, 180}));
    EXPECT_EQ(device_.draws.size(), 1u);    // what was queued for it was drawn first
    EXPECT_EQ(device_.textures.size(), 3u); // the two pages and the white texture
    EXPECT_FALSE(ResetTarget());
    EXPECT_EQ(Create(16, 16), surface);
}

} // namespace
