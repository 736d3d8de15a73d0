// The arithmetic of drawing one picture (a sprite frame or a whole surface) as a quad: which
// frame an index names, whether a frame can reach into the culling rectangle, the quad's
// corners under scale and rotation, and the packed vertex colour.
#pragma once

#include <array>
#include <cstdint>

#include "Platform/GraphicsDevice.h"

// Pictures drawn in their own colours are multiplied by white.
constexpr uint32_t kWhiteColour = 0xFFFFFF;

// Where a picture lies on its texture, and where that rectangle sits inside the untrimmed
// frame (transparent borders are trimmed from texture pages).
struct FrameImage {
    TextureId texture = 0; // 0: nothing to draw
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    int32_t target_x = 0, target_y = 0;
    int32_t target_width = 1, target_height = 1;
    // One texel in texture coordinates, for pictures cut out of this one (font glyphs).
    float texel_width = 0, texel_height = 0;
};

// Where and how a picture is drawn; the angle in degrees, counter-clockwise on screen.
struct Placement {
    float x = 0, y = 0;
    float xscale = 1, yscale = 1;
    float angle = 0;
};

// In room pixels.
struct CullRect {
    float left = 0, top = 0, right = 0, bottom = 0;
};

// floor(index) modulo count, made non-negative; count above 0.
int32_t WrapFrame(double index, int32_t count);

// False when a picture whose corners lie within `reach` of (x, y) cannot touch the rectangle.
bool WithinReach(const CullRect& cull, double x, double y, double reach);

// The colour's low 24 bits (red lowest) with trunc(alpha x 255), clamped to 0..255, on top.
uint32_t VertexColour(uint32_t colour, double alpha);

// Vertex colours of a quad's corners: top-left, top-right, bottom-right, bottom-left (as the
// picture stands, before any turn).
using CornerColours = std::array<uint32_t, 4>;

// The six vertices (two triangles) of `image` drawn with its origin at the placement.
void WriteFrameQuad(Vertex* out, const FrameImage& image, int32_t origin_x, int32_t origin_y,
                    const Placement& placement, const CornerColours& colours);
inline void WriteFrameQuad(Vertex* out, const FrameImage& image, int32_t origin_x,
                           int32_t origin_y, const Placement& placement, uint32_t colour) {
    WriteFrameQuad(out, image, origin_x, origin_y, placement, {colour, colour, colour, colour});
}
