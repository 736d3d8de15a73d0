// The null drawing device: its records, and the same refusals as the OpenGL device (empty or
// oversized textures, unknown ids).
#include "Platform/null/NullBackends.h"

void NullGraphicsDevice::BeginFrame() {
    ++frames_begun;
    SetRenderTarget(0);
}

void NullGraphicsDevice::DrawableSize(int& width, int& height) const {
    width = drawable_width;
    height = drawable_height;
}

TextureId NullGraphicsDevice::Add(int width, int height, bool render_target) {
    if (width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide) return 0;
    ++textures_created;
    textures[next_id_] = {width, height, render_target};
    return next_id_++;
}

TextureId NullGraphicsDevice::CreateTexture(int width, int height, const uint8_t* rgba) {
    return rgba ? Add(width, height, false) : 0;
}

TextureId NullGraphicsDevice::CreateRenderTarget(int width, int height) {
    return Add(width, height, true);
}

void NullGraphicsDevice::DestroyTexture(TextureId texture) {
    if (textures.erase(texture) && texture == target) SetRenderTarget(0);
}

void NullGraphicsDevice::SetRenderTarget(TextureId texture) {
    if (texture == 0) {
        target = 0;
        viewport = {0, 0, drawable_width, drawable_height};
        return;
    }
    auto found = textures.find(texture);
    if (found == textures.end() || !found->second.render_target) return;
    target = texture;
    viewport = {0, 0, found->second.width, found->second.height};
}

void NullGraphicsDevice::SetViewport(int x, int y, int width, int height) {
    if (width < 0 || height < 0) return;
    viewport = {x, y, width, height};
}

void NullGraphicsDevice::SetBlend(const BlendState& state) {
    auto known = [](BlendFactor factor) {
        return factor >= BlendFactor::Zero && factor <= BlendFactor::SourceAlphaSaturate;
    };
    if (known(state.source) && known(state.destination)) blend = state;
}

void NullGraphicsDevice::DrawTriangles(TextureId texture, const Vertex* vertices, int count) {
    if (!vertices || count < 3) return;
    if (texture != 0 && (!textures.contains(texture) || texture == target)) return;
    count -= count % 3;
    draws.push_back({texture, target, blend, projection, viewport, {vertices, vertices + count}});
}
