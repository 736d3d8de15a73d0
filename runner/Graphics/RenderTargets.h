// Surfaces and the render target stack. A surface is an off-screen render target with its own
// texture; surface_set_target pushes one, and drawing goes to the top of the stack (or to the
// window when it is empty). Each push keeps the view it replaces and shows the whole surface;
// each pop restores the kept view. Surface ids are reused, lowest first.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Graphics/FrameQuad.h"
#include "Graphics/VertexBatch.h"

// The world area a target shows (the projection, which is also the culling rectangle) and the
// part of the target drawn into, in its pixels.
struct TargetView {
    CullRect area;
    int viewport_x = 0, viewport_y = 0, viewport_width = 0, viewport_height = 0;
};

struct Surface {
    TextureId texture;
    int32_t width, height;
    // The whole texture, with its top-left corner at the origin.
    FrameImage Image() const { return {texture, 0, 0, 1, 1, 0, 0, width, height}; }
};

class RenderTargets {
public:
    static constexpr size_t kMaxDepth = 17;
    enum class PushResult { Pushed, Missing, Full };

    // Draws into the window with `window_view`; what is queued is flushed before every switch.
    RenderTargets(GraphicsDevice& device, VertexBatch& batch, const TargetView& window_view);
    ~RenderTargets();
    RenderTargets(const RenderTargets&) = delete;
    RenderTargets& operator=(const RenderTargets&) = delete;

    // A new surface's id, or -1 when the device cannot make it.
    int32_t Create(int32_t width, int32_t height);
    const Surface* Find(int32_t id) const;
    bool OnStack(int32_t id) const;
    // Frees a surface that is not on the stack (ids that name none are ignored).
    void Free(int32_t id);

    PushResult Push(int32_t id);
    // False when the stack is empty.
    bool Pop();
    size_t Depth() const { return stack_.size(); }
    // Shows `view` on the current target until the next push or pop.
    void SetView(const TargetView& view);
    // Sets the current target and view on the device again, after a new frame reset them.
    void Reapply();
    const TargetView& View() const { return view_; }

    // For tests of the game's re-create paths: every surface is gone, as after a lost device,
    // and drawing goes back to the window.
    void DropAll();

private:
    void Apply(TextureId target, const TargetView& view);

    struct Pushed {
        int32_t surface;
        TargetView replaced;
    };

    GraphicsDevice& device_;
    VertexBatch& batch_;
    std::vector<std::optional<Surface>> surfaces_;
    std::vector<Pushed> stack_;
    TargetView view_;
};
