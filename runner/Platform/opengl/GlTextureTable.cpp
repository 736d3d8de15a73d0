// Making, finding and freeing the device's textures and framebuffers.
#include "Platform/opengl/GlTextureTable.h"

namespace {

void Release(const GlTexture& texture) {
    if (texture.framebuffer) glDeleteFramebuffers(1, &texture.framebuffer);
    glDeleteTextures(1, &texture.texture);
}

} // namespace

GlTextureTable::GlTextureTable() {
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_side_);
}

GlTextureTable::~GlTextureTable() {
    for (const auto& [id, texture] : textures_)
        Release(texture);
}

GLuint GlTextureTable::MakeTexture(int width, int height, const uint8_t* rgba) {
    if (width <= 0 || height <= 0 || width > max_side_ || height > max_side_) return 0;
    // Errors left by earlier calls must not be taken for this one's.
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // Rows from the top go in first, so texture coordinate v = 0 is the picture's top.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        return 0;
    }
    return texture;
}

TextureId GlTextureTable::Add(const GlTexture& texture) {
    textures_.emplace(next_id_, texture);
    return next_id_++;
}

TextureId GlTextureTable::CreateTexture(int width, int height, const uint8_t* rgba) {
    if (!rgba) return 0;
    GLuint texture = MakeTexture(width, height, rgba);
    return texture ? Add({texture, 0, width, height}) : 0;
}

TextureId GlTextureTable::CreateRenderTarget(int width, int height) {
    GLuint texture = MakeTexture(width, height, nullptr);
    if (!texture) return 0;
    GlTexture target{texture, 0, width, height};
    glGenFramebuffers(1, &target.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        Release(target);
        return 0;
    }
    return Add(target);
}

void GlTextureTable::Destroy(TextureId id) {
    auto found = textures_.find(id);
    if (found == textures_.end()) return;
    Release(found->second);
    textures_.erase(found);
}

const GlTexture* GlTextureTable::Find(TextureId id) const {
    auto found = textures_.find(id);
    return found == textures_.end() ? nullptr : &found->second;
}
