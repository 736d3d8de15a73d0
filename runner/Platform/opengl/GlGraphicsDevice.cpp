// The OpenGL drawing device: render target, viewport, projection and blend state, drawing,
// clearing, reading back and presenting.
#include "Platform/opengl/GlGraphicsDevice.h"

#include <algorithm>

#include "Platform/Clock.h"

namespace {

// By BlendFactor's value.
constexpr GLenum kBlendFactors[] = {
    GL_ZERO,
    GL_ONE,
    GL_SRC_COLOR,
    GL_ONE_MINUS_SRC_COLOR,
    GL_SRC_ALPHA,
    GL_ONE_MINUS_SRC_ALPHA,
    GL_DST_ALPHA,
    GL_ONE_MINUS_DST_ALPHA,
    GL_DST_COLOR,
    GL_ONE_MINUS_DST_COLOR,
    GL_SRC_ALPHA_SATURATE,
};

bool ToGl(BlendFactor factor, GLenum& gl) {
    auto index = static_cast<size_t>(factor) - 1;
    if (index >= std::size(kBlendFactors)) return false;
    gl = kBlendFactors[index];
    return true;
}

} // namespace

std::unique_ptr<GlGraphicsDevice> GlGraphicsDevice::Create(Window& window, std::string& error) {
    std::unique_ptr<GlGraphicsDevice> device(new GlGraphicsDevice(window));
    if (!device->program_.Build(error)) return nullptr;
    const uint8_t white[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    device->white_ = device->textures_.CreateTexture(1, 1, white);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glActiveTexture(GL_TEXTURE0);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    device->SetBlend(BlendState{});
    // Clears keep to the viewport as drawing does.
    glEnable(GL_SCISSOR_TEST);
    device->SetRenderTarget(0);
    device->SetProjection(0, 0, static_cast<float>(device->target_width_),
                          static_cast<float>(device->target_height_));
    device->swap_throttles_ = device->MeasureSwapThrottle();
    return device;
}

GlGraphicsDevice::GlGraphicsDevice(Window& window) : window_(window) {}

// Some platforms accept a swap interval and then ignore it (EGL without a display), others
// refuse it (GLX under Xvfb): only frames that really wait count as throttled.
bool GlGraphicsDevice::MeasureSwapThrottle() {
    if (!window_.SetSwapInterval(1)) return false;
    constexpr int kFrames = 4;
    Clock& clock = SystemClock();
    window_.SwapBuffers(); // the first swap may return at once whatever the interval
    int64_t start = clock.NowMicros();
    for (int i = 0; i < kFrames; ++i)
        window_.SwapBuffers();
    double frame_us = static_cast<double>(clock.NowMicros() - start) / kFrames;
    window_.SetSwapInterval(0);
    return frame_us > 0.5 * 1'000'000.0 / window_.RefreshRate();
}

void GlGraphicsDevice::BeginFrame() {
    SetRenderTarget(0);
}

void GlGraphicsDevice::Clear(uint32_t argb) {
    auto channel = [argb](int shift) {
        return static_cast<float>((argb >> shift) & 0xFF) / 255.0f;
    };
    glClearColor(channel(16), channel(8), channel(0), channel(24));
    glClear(GL_COLOR_BUFFER_BIT);
}

void GlGraphicsDevice::Present() {
    window_.SwapBuffers();
}

bool GlGraphicsDevice::SetSwapInterval(int interval) {
    return window_.SetSwapInterval(interval);
}

void GlGraphicsDevice::DrawableSize(int& width, int& height) const {
    window_.DrawableSize(width, height);
}

TextureId GlGraphicsDevice::CreateTexture(int width, int height, const uint8_t* rgba) {
    return textures_.CreateTexture(width, height, rgba);
}

TextureId GlGraphicsDevice::CreateRenderTarget(int width, int height) {
    TextureId id = textures_.CreateRenderTarget(width, height);
    if (id) {
        glScissor(0, 0, width, height);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // The table bound the new framebuffer; drawing goes on where it went before.
    BindTarget();
    return id;
}

void GlGraphicsDevice::DestroyTexture(TextureId texture) {
    if (texture == white_) return;
    textures_.Destroy(texture);
    if (texture == target_) SetRenderTarget(0);
}

void GlGraphicsDevice::SetRenderTarget(TextureId target) {
    const GlTexture* texture = target ? textures_.Find(target) : nullptr;
    if (target && (!texture || !texture->framebuffer)) return;
    target_ = target;
    if (texture) {
        target_width_ = texture->width;
        target_height_ = texture->height;
    } else {
        window_.DrawableSize(target_width_, target_height_);
    }
    viewport_ = {0, 0, target_width_, target_height_};
    BindTarget();
    UploadProjection();
}

void GlGraphicsDevice::SetViewport(int x, int y, int width, int height) {
    if (width < 0 || height < 0) return;
    viewport_ = {x, y, width, height};
    BindTarget();
}

void GlGraphicsDevice::BindTarget() {
    const GlTexture* texture = target_ ? textures_.Find(target_) : nullptr;
    glBindFramebuffer(GL_FRAMEBUFFER, texture ? texture->framebuffer : 0);
    const auto [x, y, width, height] = viewport_;
    // The window's rows count from its bottom; a render target's from its top.
    const int gl_y = target_ ? y : target_height_ - y - height;
    glViewport(x, gl_y, width, height);
    glScissor(x, gl_y, width, height);
}

void GlGraphicsDevice::SetProjection(float left, float top, float right, float bottom) {
    projection_ = {left, top, right, bottom};
    UploadProjection();
}

void GlGraphicsDevice::UploadProjection() {
    const auto [left, top, right, bottom] = projection_;
    if (left == right || top == bottom) {
        program_.SetProjection(0, 0, 0, 0); // an empty world shows nothing
        return;
    }
    const float scale_x = 2.0f / (right - left);
    // The window's top is clip y = +1; a render target's top row is its first, at clip y = -1.
    const float scale_y = (target_ ? 2.0f : -2.0f) / (bottom - top);
    program_.SetProjection(scale_x, scale_y, -1.0f - left * scale_x,
                           (target_ ? -1.0f : 1.0f) - top * scale_y);
}

void GlGraphicsDevice::SetBlend(const BlendState& blend) {
    GLenum source = 0, destination = 0;
    if (ToGl(blend.source, source) && ToGl(blend.destination, destination))
        glBlendFunc(source, destination);
}

void GlGraphicsDevice::DrawTriangles(TextureId texture, const Vertex* vertices, int count) {
    if (!vertices || count < 3) return;
    // Sampling the target being drawn into is undefined in OpenGL.
    if (texture != 0 && texture == target_) return;
    const GlTexture* found = textures_.Find(texture ? texture : white_);
    if (!found) return;
    glBindTexture(GL_TEXTURE_2D, found->texture);
    stream_.Draw(vertices, count - count % 3);
}

std::vector<uint8_t> GlGraphicsDevice::ReadPixels(int x, int y, int width, int height) {
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > target_width_ ||
        y + height > target_height_)
        return {};
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    const int gl_y = target_ ? y : target_height_ - y - height;
    glReadPixels(x, gl_y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    if (target_) return pixels;
    // The window reads from its bottom row up; callers want the top row first.
    const size_t row = static_cast<size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.begin() + static_cast<std::ptrdiff_t>(top * row),
                         pixels.begin() + static_cast<std::ptrdiff_t>((top + 1) * row),
                         pixels.begin() + static_cast<std::ptrdiff_t>(bottom * row));
    return pixels;
}
