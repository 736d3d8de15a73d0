// A real window and OpenGL device without a display (SDL's offscreen driver, EGL on Mesa), for
// tests that draw and read the pixels back, and the little geometry those tests share.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "Platform/PlatformServices.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define RUNNER_LSAN 1
#endif
#endif

class GlTestWindow {
public:
    // Opens a window of width x height pixels with its device; false with a reason.
    bool Open(int width, int height, std::string& error);
    GraphicsDevice& Device() { return *platform_.graphics; }

private:
#ifdef RUNNER_LSAN
    // Mesa's software driver keeps allocations it never frees (some made while drawing) and is
    // unloaded before the leak check, which then cannot tell them from ours: no leak check
    // while the window lives.
    __lsan::ScopedDisabler mesa_keeps_its_own_;
#endif
    PlatformServices platform_;
};

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& colour);

// The vertex colour of an Rgba: red in the low byte.
uint32_t VertexColour(const Rgba& colour);
// Two triangles covering (left, top)-(right, bottom) in the world, texture coordinates (0, 0)
// at the top-left to (1, 1) at the bottom-right.
std::array<Vertex, 6> Quad(float left, float top, float right, float bottom, uint32_t colour);
// The pixel at (x, y) of RGBA rows from the top, width pixels wide.
Rgba PixelAt(const std::vector<uint8_t>& pixels, int width, int x, int y);
// True when each channel is within one step of the other's.
bool Near(const Rgba& a, const Rgba& b);
