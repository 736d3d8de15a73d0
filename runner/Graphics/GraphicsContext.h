// The drawing layer of one run: the texture pages, the vertex stream, the surfaces and target
// stack, and the draw state (colour, alpha, blend mode). The runner makes it once the device
// exists (the null device when there is no window), makes it the active one for the
// built-ins, and drops it at shut-down before the device.
#pragma once

#include <cstdint>

#include "Graphics/FrameQuad.h"
#include "Graphics/RenderTargets.h"
#include "Graphics/ShapeWriter.h"
#include "Graphics/TexturePages.h"
#include "Graphics/VertexBatch.h"
#include "Package/GamePackage.h"

class GraphicsContext {
public:
    // Draws into the window, showing (0, 0) to (view_width, view_height) over the drawable area.
    GraphicsContext(GraphicsDevice& device, int view_width, int view_height);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // Uploads the package's texture pages and takes its default draw colour and window colour.
    void LoadPackage(const GamePackage& package);

    // After the device began a frame: the current target and view again, and new counters.
    void BeginFrame();
    // Draws what is queued; due before the frame is presented or pixels are read.
    void Flush() { batch_.Flush(); }
    // This frame's draw calls, vertices and texture binds so far.
    const DrawCounters& Counters() const { return batch_.Counters(); }

    uint32_t Colour() const { return colour_; }
    void SetColour(uint32_t colour) { colour_ = colour & 0xFFFFFFu; }
    double Alpha() const { return alpha_; }
    // Clamped to 0..1.
    void SetAlpha(double alpha);
    void SetBlend(const BlendState& blend);

    // Fills the current target's viewport with the colour (red lowest) and alpha.
    void Clear(uint32_t colour, double alpha);
    // Queues `image` with its frame origin at the placement.
    void DrawImage(const FrameImage& image, int32_t origin_x, int32_t origin_y,
                   const Placement& placement, uint32_t vertex_colour) {
        DrawImage(image, origin_x, origin_y, placement,
                  {vertex_colour, vertex_colour, vertex_colour, vertex_colour});
    }
    void DrawImage(const FrameImage& image, int32_t origin_x, int32_t origin_y,
                   const Placement& placement, const CornerColours& vertex_colours);
    // The culling rectangle: the world area the current target shows.
    const CullRect& Cull() const { return targets_.View().area; }
    ShapeWriter Shapes() { return ShapeWriter(batch_, pages_); }

    // What the window is cleared to, and so the colour of the letterbox bars: the package's,
    // black until one is loaded.
    uint32_t WindowColour() const { return window_colour_; }

    // The game's own window size, given at construction: the room's default drawing size.
    int ViewWidth() const { return view_width_; }
    int ViewHeight() const { return view_height_; }

    TexturePages& Pages() { return pages_; }
    RenderTargets& Targets() { return targets_; }
    GraphicsDevice& Device() { return device_; }

private:
    GraphicsDevice& device_;
    int view_width_, view_height_;
    VertexBatch batch_;
    TexturePages pages_;
    RenderTargets targets_;
    uint32_t colour_ = 0;
    uint32_t window_colour_ = 0;
    double alpha_ = 1;
    BlendState blend_;
};

// The context the built-ins draw with; null when there is none (they then do nothing).
GraphicsContext* ActiveGraphics();
void SetActiveGraphics(GraphicsContext* graphics);
