// The corners of a frame's quad under mirroring and rotation.
#include "Graphics/FrameQuad.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A 32x32 frame from the top-left quarter of its texture, origin (16, 16), at (100, 100).
std::vector<Vertex> Quad(float xscale, float angle) {
    const FrameImage frame{1, 0, 0, 0.5f, 0.5f, 0, 0, 32, 32};
    std::vector<Vertex> quad(6);
    WriteFrameQuad(quad.data(), frame, 16, 16, {100, 100, xscale, 1, angle}, 0xFF00FF00);
    return quad;
}

TEST(FrameQuad, MirroringAboutTheOriginTurningAndItsThreshold) {
    const std::vector<Vertex> plain = Quad(1, 0), mirrored = Quad(-1, 0), nearly = Quad(1, 0.0005f);
    EXPECT_EQ(plain[0].x, 84);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(mirrored[i].x, 200 - plain[i].x) << i;
        EXPECT_EQ(mirrored[i].y, plain[i].y) << i;
        EXPECT_EQ(mirrored[i].u, plain[i].u) << i; // the same texel lands on the other side
        EXPECT_EQ(mirrored[i].colour, 0xFF00FF00u);
        // A turn below a thousandth of a radian stays axis-aligned.
        EXPECT_EQ(nearly[i].x, plain[i].x) << i;
        EXPECT_EQ(nearly[i].y, plain[i].y) << i;
    }
    EXPECT_NE(Quad(1, 0.06f)[0].y, plain[0].y); // 0.06 degrees is past the threshold

    // Ninety degrees turns the right edge up and the top-left corner to the bottom left.
    const std::vector<Vertex> quad = Quad(1, 90);
    for (const Vertex& vertex : quad) {
        if (vertex.u == 0.5f) {
            EXPECT_NEAR(vertex.y, 84, 1e-4);
        }
    }
    EXPECT_NEAR(quad[0].x, 84, 1e-4);
    EXPECT_NEAR(quad[0].y, 116, 1e-4);
}

} // namespace
