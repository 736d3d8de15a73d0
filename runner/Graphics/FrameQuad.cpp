// Frame selection, culling by reach and quad corners, as the runner has always computed them.
#include "Graphics/FrameQuad.h"

#include <algorithm>
#include <cmath>

namespace {

// The runner's own value of pi for angles, and the turn below which a quad stays axis-aligned
// (so that an angle that is almost 0 does not blur pixel art).
constexpr float kPi = 3.1415927f;
constexpr float kAxisAlignedRadians = 0.001f;

} // namespace

int32_t WrapFrame(double index, int32_t count) {
    if (!std::isfinite(index)) return 0;
    double frame = std::fmod(std::floor(index), static_cast<double>(count));
    if (frame < 0) frame += count;
    return static_cast<int32_t>(frame);
}

bool WithinReach(const CullRect& cull, double x, double y, double reach) {
    return reach >= cull.top - y && reach >= y - cull.bottom && reach >= cull.left - x &&
           reach >= x - cull.right;
}

uint32_t VertexColour(uint32_t colour, double alpha) {
    const double scaled = std::trunc(alpha * 255.0);
    // NaN fails both comparisons and ends at 0.
    const uint32_t byte = scaled >= 255.0 ? 255u
                          : scaled > 0.0  ? static_cast<uint32_t>(scaled)
                                          : 0u;
    return (colour & 0xFFFFFFu) | byte << 24;
}

void WriteFrameQuad(Vertex* out, const FrameImage& image, int32_t origin_x, int32_t origin_y,
                    const Placement& placement, const CornerColours& colours) {
    const float left = -static_cast<float>(origin_x - image.target_x) * placement.xscale;
    const float top = -static_cast<float>(origin_y - image.target_y) * placement.yscale;
    const float right = static_cast<float>(image.target_width) * placement.xscale + left;
    const float bottom = static_cast<float>(image.target_height) * placement.yscale + top;

    const float offsets[4][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    const float uv[4][2] = {
        {image.u0, image.v0}, {image.u1, image.v0}, {image.u1, image.v1}, {image.u0, image.v1}};
    Vertex corners[4];
    const float radians = placement.angle * kPi / 180.0f;
    const bool aligned = std::fabs(radians) < kAxisAlignedRadians;
    const float cosine = aligned ? 1.0f : std::cos(radians);
    const float sine = aligned ? 0.0f : std::sin(radians);
    for (int i = 0; i < 4; ++i) {
        const float px = offsets[i][0], py = offsets[i][1];
        corners[i] = {placement.x + px * cosine + py * sine,
                      placement.y - px * sine + py * cosine,
                      0.0f,
                      colours[size_t(i)],
                      uv[i][0],
                      uv[i][1]};
    }
    // Two triangles: top-left, top-right, bottom-right and bottom-right, bottom-left, top-left.
    static constexpr int kOrder[6] = {0, 1, 2, 2, 3, 0};
    for (int i = 0; i < 6; ++i)
        out[i] = corners[kOrder[i]];
}
