// Surface ids, the target stack and the device state each switch sets.
#include "Graphics/RenderTargets.h"

#include <algorithm>

RenderTargets::RenderTargets(GraphicsDevice& device, VertexBatch& batch,
                             const TargetView& window_view)
    : device_(device), batch_(batch) {
    Apply(0, window_view);
}

RenderTargets::~RenderTargets() {
    for (const auto& surface : surfaces_)
        if (surface) device_.DestroyTexture(surface->texture);
}

void RenderTargets::Apply(TextureId target, const TargetView& view) {
    batch_.Flush();
    view_ = view;
    device_.SetRenderTarget(target);
    device_.SetViewport(view.viewport_x, view.viewport_y, view.viewport_width,
                        view.viewport_height);
    device_.SetProjection(view.area.left, view.area.top, view.area.right, view.area.bottom);
}

int32_t RenderTargets::Create(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return -1;
    const TextureId texture = device_.CreateRenderTarget(width, height);
    if (texture == 0) return -1;
    auto free_slot = std::find(surfaces_.begin(), surfaces_.end(), std::nullopt);
    if (free_slot == surfaces_.end()) free_slot = surfaces_.insert(free_slot, std::nullopt);
    *free_slot = Surface{texture, width, height};
    return int32_t(free_slot - surfaces_.begin());
}

const Surface* RenderTargets::Find(int32_t id) const {
    if (id < 0 || size_t(id) >= surfaces_.size() || !surfaces_[size_t(id)]) return nullptr;
    return &*surfaces_[size_t(id)];
}

bool RenderTargets::OnStack(int32_t id) const {
    return std::any_of(stack_.begin(), stack_.end(),
                       [id](const Pushed& pushed) { return pushed.surface == id; });
}

void RenderTargets::Free(int32_t id) {
    const Surface* surface = Find(id);
    if (!surface || OnStack(id)) return;
    // The queue may still sample it.
    if (batch_.Texture() == surface->texture) batch_.Flush();
    device_.DestroyTexture(surface->texture);
    surfaces_[size_t(id)].reset();
}

RenderTargets::PushResult RenderTargets::Push(int32_t id) {
    const Surface* surface = Find(id);
    if (!surface) return PushResult::Missing;
    if (stack_.size() >= kMaxDepth) return PushResult::Full;
    stack_.push_back({id, view_});
    const float width = float(surface->width), height = float(surface->height);
    Apply(surface->texture, {{0, 0, width, height}, 0, 0, surface->width, surface->height});
    return PushResult::Pushed;
}

bool RenderTargets::Pop() {
    if (stack_.empty()) return false;
    const TargetView restored = stack_.back().replaced;
    stack_.pop_back();
    Apply(stack_.empty() ? 0 : Find(stack_.back().surface)->texture, restored);
    return true;
}

void RenderTargets::SetView(const TargetView& view) {
    Apply(stack_.empty() ? 0 : Find(stack_.back().surface)->texture, view);
}

void RenderTargets::Reapply() {
    Apply(stack_.empty() ? 0 : Find(stack_.back().surface)->texture, view_);
}

void RenderTargets::DropAll() {
    if (!stack_.empty()) {
        const TargetView window_view = stack_.front().replaced;
        stack_.clear();
        Apply(0, window_view);
    }
    batch_.Flush();
    for (auto& surface : surfaces_)
        if (surface) device_.DestroyTexture(surface->texture);
    surfaces_.clear();
}
