// Shape geometry: quads, fans and one-pixel lines in vertex colours over a white texel.
#include "Graphics/ShapeWriter.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Rounded corners keep a small fixed radius, which suits boxes drawn over pixel art; each is
// a quarter circle of a few segments.
constexpr float kCornerRadius = 4;
constexpr int kCornerSegments = 4;
constexpr float kHalfPi = 1.5707964f;

// The corners of a rectangle rounded by `radius`, clockwise from the end of the top edge.
std::vector<Point> RoundedOutline(float left, float top, float right, float bottom, float radius) {
    const Point centres[4] = {{right - radius, top + radius},
                              {right - radius, bottom - radius},
                              {left + radius, bottom - radius},
                              {left + radius, top + radius}};
    std::vector<Point> points;
    for (int corner = 0; corner < 4; ++corner)
        for (int step = 0; step <= kCornerSegments; ++step) {
            // Angles on screen, y down: -90 degrees is up, and each corner turns a quarter on.
            const float angle = kHalfPi * (float(corner - 1) + float(step) / kCornerSegments);
            points.push_back({centres[corner].x + radius * std::cos(angle),
                              centres[corner].y + radius * std::sin(angle)});
        }
    return points;
}

} // namespace

ShapeWriter::ShapeWriter(VertexBatch& batch, const TexturePages& pages)
    : batch_(batch), white_(pages.WhiteFor(batch.Texture())) {}

void ShapeWriter::FilledTriangle(Point a, Point b, Point c, uint32_t ca, uint32_t cb, uint32_t cc) {
    Vertex* out = batch_.Append(white_.texture, 3);
    out[0] = {a.x, a.y, 0, ca, white_.u, white_.v};
    out[1] = {b.x, b.y, 0, cb, white_.u, white_.v};
    out[2] = {c.x, c.y, 0, cc, white_.u, white_.v};
}

void ShapeWriter::Quad(float left, float top, float right, float bottom,
                       const uint32_t (&colours)[4]) {
    if (right <= left || bottom <= top) return;
    FilledTriangle({left, top}, {right, top}, {right, bottom}, colours[0], colours[1], colours[2]);
    FilledTriangle({right, bottom}, {left, bottom}, {left, top}, colours[2], colours[3],
                   colours[0]);
}

void ShapeWriter::Line(Point a, Point b, uint32_t colour) {
    // Through the pixel centres, reaching half a pixel past both ends.
    float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::hypot(dx, dy);
    if (length > 0) {
        dx /= length;
        dy /= length;
    } else {
        dx = 1;
        dy = 0;
    }
    const float ax = a.x + 0.5f - 0.5f * dx, ay = a.y + 0.5f - 0.5f * dy;
    const float bx = b.x + 0.5f + 0.5f * dx, by = b.y + 0.5f + 0.5f * dy;
    const float nx = -0.5f * dy, ny = 0.5f * dx;
    FilledTriangle({ax + nx, ay + ny}, {bx + nx, by + ny}, {bx - nx, by - ny}, colour, colour,
                   colour);
    FilledTriangle({bx - nx, by - ny}, {ax - nx, ay - ny}, {ax + nx, ay + ny}, colour, colour,
                   colour);
}

void ShapeWriter::Rectangle(Point corner1, Point corner2, const uint32_t (&colours)[4],
                            bool outline) {
    uint32_t c[4] = {colours[0], colours[1], colours[2], colours[3]};
    // The colours stay with their corners when the corners come in another order.
    if (corner1.x > corner2.x) {
        std::swap(corner1.x, corner2.x);
        std::swap(c[0], c[1]);
        std::swap(c[3], c[2]);
    }
    if (corner1.y > corner2.y) {
        std::swap(corner1.y, corner2.y);
        std::swap(c[0], c[3]);
        std::swap(c[1], c[2]);
    }
    const float left = corner1.x, top = corner1.y, right = corner2.x, bottom = corner2.y;
    if (!outline) {
        Quad(left, top, right + 1, bottom + 1, c);
        return;
    }
    // Four edges that do not overlap, so a translucent outline is even.
    Quad(left, top, right + 1, top + 1, {c[0], c[1], c[1], c[0]});
    if (bottom > top) Quad(left, bottom, right + 1, bottom + 1, {c[3], c[2], c[2], c[3]});
    Quad(left, top + 1, left + 1, bottom, {c[0], c[0], c[3], c[3]});
    if (right > left) Quad(right, top + 1, right + 1, bottom, {c[1], c[1], c[2], c[2]});
}

void ShapeWriter::RoundRect(Point corner1, Point corner2, uint32_t colour, bool outline) {
    float left = std::min(corner1.x, corner2.x), right = std::max(corner1.x, corner2.x);
    float top = std::min(corner1.y, corner2.y), bottom = std::max(corner1.y, corner2.y);
    if (!outline) {
        // The filled area reaches the far edge of the right and bottom pixels.
        right += 1;
        bottom += 1;
    }
    const float radius = std::min({kCornerRadius, (right - left) / 2, (bottom - top) / 2});
    const std::vector<Point> points = RoundedOutline(left, top, right, bottom, radius);
    if (outline) {
        for (size_t i = 0; i < points.size(); ++i)
            Line(points[i], points[(i + 1) % points.size()], colour);
        return;
    }
    for (size_t i = 1; i + 1 < points.size(); ++i)
        FilledTriangle(points[0], points[i], points[i + 1], colour, colour, colour);
}

void ShapeWriter::Triangle(Point a, Point b, Point c, uint32_t colour, bool outline) {
    if (!outline) {
        FilledTriangle(a, b, c, colour, colour, colour);
        return;
    }
    Line(a, b, colour);
    Line(b, c, colour);
    Line(c, a, colour);
}
