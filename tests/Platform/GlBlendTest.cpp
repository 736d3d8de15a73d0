// The OpenGL device's blend factors, added, for colour and alpha alike: a known colour drawn
// over a known one in a render target, against the arithmetic worked out here.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "GlTestWindow.h"

namespace {

constexpr Rgba kSource{200, 100, 50, 128};
constexpr Rgba kDestination{60, 120, 180, 200};

// One channel's factor, all values in 0..1.
double Factor(BlendFactor factor, const double source[4], const double destination[4],
              int channel) {
    const double sa = source[3], da = destination[3];
    switch (factor) {
    case BlendFactor::Zero: return 0;
    case BlendFactor::One: return 1;
    case BlendFactor::SourceColour: return source[channel];
    case BlendFactor::InverseSourceColour: return 1 - source[channel];
    case BlendFactor::SourceAlpha: return sa;
    case BlendFactor::InverseSourceAlpha: return 1 - sa;
    case BlendFactor::DestinationAlpha: return da;
    case BlendFactor::InverseDestinationAlpha: return 1 - da;
    case BlendFactor::DestinationColour: return destination[channel];
    case BlendFactor::InverseDestinationColour: return 1 - destination[channel];
    case BlendFactor::SourceAlphaSaturate: return channel == 3 ? 1 : std::min(sa, 1 - da);
    }
    return 0;
}

Rgba Blended(const BlendState& blend) {
    const double source[4] = {kSource.r / 255.0, kSource.g / 255.0, kSource.b / 255.0,
                              kSource.a / 255.0};
    const double destination[4] = {kDestination.r / 255.0, kDestination.g / 255.0,
                                   kDestination.b / 255.0, kDestination.a / 255.0};
    int out[4];
    for (int channel = 0; channel < 4; ++channel) {
        const double value =
            source[channel] * Factor(blend.source, source, destination, channel) +
            destination[channel] * Factor(blend.destination, source, destination, channel);
        out[channel] = static_cast<int>(std::lround(std::min(value, 1.0) * 255));
    }
    return {out[0], out[1], out[2], out[3]};
}

struct BlendCase {
    const char* name;
    BlendState blend;
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
    const Rgba expected = Blended(GetParam().blend);
    const Rgba drawn = DrawSourceOver();
    EXPECT_TRUE(Near(drawn, expected)) << drawn << " instead of " << expected;
}

INSTANTIATE_TEST_SUITE_P(
    NamedModesAndFactorPairs, GlBlend,
    ::testing::Values(
        BlendCase{"Normal", {BlendFactor::SourceAlpha, BlendFactor::InverseSourceAlpha}},
        BlendCase{"Add", {BlendFactor::SourceAlpha, BlendFactor::One}},
        BlendCase{"Max", {BlendFactor::SourceAlpha, BlendFactor::InverseSourceColour}},
        BlendCase{"Subtract", {BlendFactor::Zero, BlendFactor::InverseSourceColour}},
        BlendCase{"Multiply", {BlendFactor::DestinationColour, BlendFactor::Zero}},
        BlendCase{"DestinationAlpha",
                  {BlendFactor::DestinationAlpha, BlendFactor::InverseDestinationAlpha}},
        BlendCase{"InverseDestinationColour",
                  {BlendFactor::InverseDestinationColour, BlendFactor::SourceColour}},
        BlendCase{"AlphaSaturate", {BlendFactor::SourceAlphaSaturate, BlendFactor::One}}),
    [](const ::testing::TestParamInfo<BlendCase>& tested) { return tested.param.name; });

TEST_F(GlBlending, AnUnknownFactorLeavesTheBlendAsItWas) {
    device().SetBlend({BlendFactor::One, BlendFactor::Zero});
    device().SetBlend({static_cast<BlendFactor>(12), BlendFactor::One});
    device().SetBlend({BlendFactor::One, static_cast<BlendFactor>(0)});
    EXPECT_EQ(DrawSourceOver(), kSource);
}

} // namespace
