// The OpenGL device's blend factors, added, for colour and alpha alike: a known colour drawn
// over a known one in a render target.
#include <gtest/gtest.h>

#include "GlTestWindow.h"

namespace {

constexpr Rgba kSource{200, 100, 50, 128};
constexpr Rgba kDestination{60, 120, 180, 200};

struct BlendCase {
    const char* name;
    BlendState blend;
    Rgba expected; // kSource and kDestination weighted by the factors, added
};
void PrintTo(const BlendCase& tested, std::ostream* out) { *out << tested.name; }

class GlBlending : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(window_.Open(8, 8, error)) << error;
        target_ = device().CreateRenderTarget(2, 2);
        device().SetRenderTarget(target_);
        device().SetProjection(0, 0, 2, 2);
        device().Clear(static_cast<uint32_t>(kDestination.a) << 24 | kDestination.r << 16 |
                       kDestination.g << 8 | kDestination.b);
    }
    GraphicsDevice& device() { return window_.Device(); }
    Rgba DrawSourceOver() {
        const auto quad = Quad(0, 0, 2, 2, VertexColour(kSource));
        device().DrawTriangles(0, quad.data(), 6);
        return PixelAt(device().ReadPixels(0, 0, 2, 2), 2, 1, 1);
    }

    GlTestWindow window_;
    TextureId target_ = 0;
};

class GlBlend : public GlBlending, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(GlBlend, AddsTheWeightedSourceAndDestination) {
    device().SetBlend(GetParam().blend);
    const Rgba drawn = DrawSourceOver();
    EXPECT_TRUE(Near(drawn, GetParam().expected)) << drawn << " instead of " << GetParam().expected;
}

INSTANTIATE_TEST_SUITE_P(
    NamedModesAndFactorPairs, GlBlend,
    ::testing::Values(
        BlendCase{"Normal",
                  {BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha},
                  {130, 110, 115, 164}},
        BlendCase{"Add", {BlendFactor::SourceAlpha, BlendFactor::One}, {160, 170, 205, 255}},
        BlendCase{"Max",
                  {BlendFactor::SourceAlpha, BlendFactor::InverseSourceColour},
                  {113, 123, 170, 164}},
        BlendCase{"Subtract", {BlendFactor::Zero, BlendFactor::InverseSourceColour}, {13, 73, 145, 100}},
        BlendCase{"Multiply", {BlendFactor::DestinationColour, BlendFactor::Zero}, {47, 47, 35, 100}},
        BlendCase{"DestinationAlpha",
                  {BlendFactor::DestinationAlpha, BlendFactor::InverseDestinationAlpha},
                  {170, 104, 78, 144}},
        // The source times (1 - destination) plus the destination times the source.
        BlendCase{"InverseDestinationColour",
                  {BlendFactor::InverseDestinationColour, BlendFactor::SourceColour},
                  kSource},
        BlendCase{"AlphaSaturate",
                  {BlendFactor::SourceAlphaSaturate, BlendFactor::One},
                  {103, 142, 191, 255}}),
    [](const ::testing::TestParamInfo<BlendCase>& tested) { return tested.param.name; });

TEST_F(GlBlending, AnUnknownFactorLeavesTheBlendAsItWas) {
    device().SetBlend({BlendFactor::One, BlendFactor::Zero});
    device().SetBlend({static_cast<BlendFactor>(12), BlendFactor::One});
    device().SetBlend({BlendFactor::One, static_cast<BlendFactor>(0)});
    EXPECT_EQ(DrawSourceOver(), kSource);
}

} // namespace
