// The drawing layer's state and the operations that change device state, which flush first.
#include "Graphics/GraphicsContext.h"

#include <algorithm>

namespace {

GraphicsContext* g_active = nullptr;

TargetView WindowView(const GraphicsDevice& device, int view_width, int view_height) {
    TargetView view{{0, 0, float(view_width), float(view_height)}, 0, 0, 0, 0};
    device.DrawableSize(view.viewport_width, view.viewport_height);
    return view;
}

} // namespace

GraphicsContext* ActiveGraphics() {
    return g_active;
}

void SetActiveGraphics(GraphicsContext* graphics) {
    g_active = graphics;
}

GraphicsContext::GraphicsContext(GraphicsDevice& device, int view_width, int view_height)
    : device_(device), view_width_(view_width), view_height_(view_height), batch_(device), pages_(device),
      targets_(device, batch_, WindowView(device, view_width, view_height)) {
    device_.SetBlend(blend_);
}

GraphicsContext::~GraphicsContext() {
    if (g_active == this) g_active = nullptr;
}

void GraphicsContext::LoadPackage(const GamePackage& package) {
    batch_.Flush();
    pages_.Load(package.textures, package.texture_page_entries);
    if (package.options.draw_colour) SetColour(*package.options.draw_colour);
    window_colour_ = package.options.window_colour & 0xFFFFFFu;
}

void GraphicsContext::BeginFrame() {
    targets_.Reapply();
    batch_.ResetCounters();
}

void GraphicsContext::SetAlpha(double alpha) {
    alpha_ = std::clamp(alpha, 0.0, 1.0);
}

void GraphicsContext::SetBlend(const BlendState& blend) {
    if (blend == blend_) return;
    batch_.Flush();
    blend_ = blend;
    device_.SetBlend(blend);
}

void GraphicsContext::Clear(uint32_t colour, double alpha) {
    batch_.Flush();
    // Vertex colours hold red lowest; the device's clear colour is 0xAARRGGBB.
    const uint32_t packed = VertexColour(colour, alpha);
    const uint32_t argb = (packed & 0xFF00FF00u) | (packed & 0xFFu) << 16 | (packed >> 16 & 0xFFu);
    device_.Clear(argb);
}

void GraphicsContext::DrawImage(const FrameImage& image, int32_t origin_x, int32_t origin_y,
                                const Placement& placement,
                                const CornerColours& vertex_colours) {
    WriteFrameQuad(batch_.Append(image.texture, 6), image, origin_x, origin_y, placement,
                   vertex_colours);
}
