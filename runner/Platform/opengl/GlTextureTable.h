// The device's textures and render targets by id. A render target is a texture with a
// framebuffer drawing into it. Ids are never reused, so a stale id finds nothing.
#pragma once

#include <epoxy/gl.h>
#include <unordered_map>

#include "Platform/GraphicsDevice.h"

struct GlTexture {
    GLuint texture = 0;
    GLuint framebuffer = 0; // 0 for a plain texture
    int width = 0;
    int height = 0;
};

class GlTextureTable {
public:
    GlTextureTable();
    ~GlTextureTable();
    GlTextureTable(const GlTextureTable&) = delete;
    GlTextureTable& operator=(const GlTextureTable&) = delete;

    // Leaves the new texture bound; 0 when the size is empty, too large or the driver refuses.
    TextureId CreateTexture(int width, int height, const uint8_t* rgba);
    // Leaves the new framebuffer bound, its contents undefined.
    TextureId CreateRenderTarget(int width, int height);
    void Destroy(TextureId id);
    const GlTexture* Find(TextureId id) const;

private:
    GLuint MakeTexture(int width, int height, const uint8_t* rgba);
    TextureId Add(const GlTexture& texture);

    std::unordered_map<TextureId, GlTexture> textures_;
    TextureId next_id_ = 1;
    int max_side_ = 0;
};
