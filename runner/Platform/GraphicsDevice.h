// The drawing device. Only the OpenGL backend calls gl*; the null backend keeps what it was
// asked to do, so that tests see the frames without a GPU.
//
// The drawing layer above it builds batches of triangles on the CPU and hands each over with
// the one texture it samples; the device keeps the render target, the projection, the
// viewport and the blend factors as state until they are set again.
#pragma once

#include <cstdint>
#include <vector>

// One corner of a triangle: position, colour (red in the low byte, alpha in the high one) and
// texture coordinates.
struct Vertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(Vertex) == 24);

// Blend factors, numbered as the game's constants number them (bm_zero = 1 ... ).
enum class BlendFactor : int32_t {
    Zero = 1,
    One,
    SourceColour,
    InverseSourceColour,
    SourceAlpha,
    InverseSourceAlpha,
    DestinationAlpha,
    InverseDestinationAlpha,
    DestinationColour,
    InverseDestinationColour,
    SourceAlphaSaturate,
};

// Source and destination factors, added; the same for colour and alpha.
struct BlendState {
    BlendFactor source = BlendFactor::SourceAlpha;
    BlendFactor destination = BlendFactor::InverseSourceAlpha;
    bool operator==(const BlendState&) const = default;
};

// Textures and render targets are named by ids above 0; 0 names no texture (the window's back
// buffer, as a render target).
using TextureId = int32_t;

class GraphicsDevice {
public:
    virtual ~GraphicsDevice() = default;

    virtual void BeginFrame() = 0;
    // Fills the current render target (within the viewport); colour as 0xAARRGGBB.
    virtual void Clear(uint32_t argb) = 0;
    virtual void Present() = 0;

    // Asks for a swap interval; false when the platform refused it.
    virtual bool SetSwapInterval(int interval) = 0;
    // True only when an accepted swap interval was measured to hold frames back: then the
    // display may pace the game. Never for the null device.
    virtual bool SwapIntervalThrottles() const = 0;
    virtual double RefreshRate() const = 0;

    // The size of the window's drawable area in pixels (not its size in screen units).
    virtual void DrawableSize(int& width, int& height) const = 0;

    // A texture from RGBA pixels, rows from the top, sampled with nearest filtering; 0 when it
    // cannot be made.
    virtual TextureId CreateTexture(int width, int height, const uint8_t* rgba) = 0;
    // A texture that can also be drawn into, cleared to transparent black; 0 on failure.
    virtual TextureId CreateRenderTarget(int width, int height) = 0;
    // Frees a texture or render target; unknown ids are ignored.
    virtual void DestroyTexture(TextureId texture) = 0;

    // Where drawing goes: a render target, or 0 for the window. The viewport becomes the whole
    // target; the projection stays as it was until set again.
    virtual void SetRenderTarget(TextureId target) = 0;
    // The part of the current target drawn into, in its pixels from the top-left.
    virtual void SetViewport(int x, int y, int width, int height) = 0;
    // The area of the 2D world that the viewport shows: left, top, right, bottom.
    virtual void SetProjection(float left, float top, float right, float bottom) = 0;
    virtual void SetBlend(const BlendState& blend) = 0;
    // Draws a triangle list (count a multiple of 3) sampling one texture.
    virtual void DrawTriangles(TextureId texture, const Vertex* vertices, int count) = 0;

    // The current target's pixels, RGBA rows from the top; empty when there are none to read.
    virtual std::vector<uint8_t> ReadPixels(int x, int y, int width, int height) = 0;
};
