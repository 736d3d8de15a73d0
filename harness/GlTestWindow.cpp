// Opening the offscreen window, and the shared geometry of the drawing tests.
#include "GlTestWindow.h"

#include <cstdlib>

bool GlTestWindow::Open(int width, int height, std::string& error) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    platform_ = CreateDesktopPlatform();
    return OpenDesktopWindow(platform_, width, height, "Snowtide", error);
}

std::ostream& operator<<(std::ostream& out, const Rgba& colour) {
    return out << '(' << colour.r << ", " << colour.g << ", " << colour.b << ", " << colour.a
               << ')';
}

uint32_t VertexColour(const Rgba& colour) {
    return static_cast<uint32_t>(colour.r) | static_cast<uint32_t>(colour.g) << 8 |
           static_cast<uint32_t>(colour.b) << 16 | static_cast<uint32_t>(colour.a) << 24;
}

std::array<Vertex, 6> Quad(float left, float top, float right, float bottom, uint32_t colour) {
    const Vertex top_left{left, top, 0, colour, 0, 0};
    const Vertex top_right{right, top, 0, colour, 1, 0};
    const Vertex bottom_right{right, bottom, 0, colour, 1, 1};
    const Vertex bottom_left{left, bottom, 0, colour, 0, 1};
    return {top_left, top_right, bottom_right, top_left, bottom_right, bottom_left};
}

Rgba PixelAt(const std::vector<uint8_t>& pixels, int width, int x, int y) {
    const size_t at =
        (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
    return {pixels.at(at), pixels.at(at + 1), pixels.at(at + 2), pixels.at(at + 3)};
}

bool Near(const Rgba& a, const Rgba& b) {
    return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1 &&
           std::abs(a.a - b.a) <= 1;
}
