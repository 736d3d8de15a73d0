// Untextured shapes (rectangles, rounded rectangles, triangles, filled or outlined) written
// into the vertex stream. They sample a white texel of the texture the stream already uses,
// so shapes drawn between sprites of one page add no draw call.
//
// Coordinates are pixels: a rectangle covers the pixels of both its corners, and an outline
// is one pixel wide and covers the pixels its edges pass through.
#pragma once

#include <cstdint>

#include "Graphics/TexturePages.h"
#include "Graphics/VertexBatch.h"

struct Point {
    float x, y;
};

class ShapeWriter {
public:
    ShapeWriter(VertexBatch& batch, const TexturePages& pages);

    // Corner colours from the top-left corner clockwise, as vertex colours.
    void Rectangle(Point corner1, Point corner2, const uint32_t (&colours)[4], bool outline);
    void RoundRect(Point corner1, Point corner2, uint32_t colour, bool outline);
    void Triangle(Point a, Point b, Point c, uint32_t colour, bool outline);

private:
    void FilledTriangle(Point a, Point b, Point c, uint32_t ca, uint32_t cb, uint32_t cc);
    // Corners top-left, top-right, bottom-right, bottom-left.
    void Quad(float left, float top, float right, float bottom, const uint32_t (&colours)[4]);
    // One pixel wide, from the pixel of a to the pixel of b.
    void Line(Point a, Point b, uint32_t colour);

    VertexBatch& batch_;
    WhiteTexel white_;
};
