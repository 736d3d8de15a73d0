// The OpenGL 3.3 core drawing device over a window's context.
//
// Render targets hold their top row first, like uploaded textures: drawing into one flips the
// projection, so a target drawn as a texture later shows the right way up with v = 0 at its top.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "Platform/GraphicsDevice.h"
#include "Platform/Window.h"
#include "Platform/opengl/GlShaderProgram.h"
#include "Platform/opengl/GlTextureTable.h"
#include "Platform/opengl/GlVertexStream.h"

class GlGraphicsDevice final : public GraphicsDevice {
public:
    // The window's context must be current. Null, with a reason, when the device cannot draw.
    static std::unique_ptr<GlGraphicsDevice> Create(Window& window, std::string& error);

    // Starts a frame on the window, its whole drawable as the viewport.
    void BeginFrame() override;
    void Clear(uint32_t argb) override;
    void Present() override;
    bool SetSwapInterval(int interval) override;
    bool SwapIntervalThrottles() const override { return swap_throttles_; }
    double RefreshRate() const override { return window_.RefreshRate(); }
    void DrawableSize(int& width, int& height) const override;
    TextureId CreateTexture(int width, int height, const uint8_t* rgba) override;
    TextureId CreateRenderTarget(int width, int height) override;
    void DestroyTexture(TextureId texture) override;
    void SetRenderTarget(TextureId target) override;
    void SetViewport(int x, int y, int width, int height) override;
    void SetProjection(float left, float top, float right, float bottom) override;
    void SetBlend(const BlendState& blend) override;
    void DrawTriangles(TextureId texture, const Vertex* vertices, int count) override;
    std::vector<uint8_t> ReadPixels(int x, int y, int width, int height) override;

private:
    explicit GlGraphicsDevice(Window& window);
    bool MeasureSwapThrottle();
    // Binds the target's framebuffer with the viewport and the scissor that clears keep to.
    void BindTarget();
    void UploadProjection();

    Window& window_;
    GlShaderProgram program_;
    GlVertexStream stream_;
    GlTextureTable textures_;
    TextureId white_ = 0; // what texture 0 samples: the vertex colour alone
    TextureId target_ = 0;
    int target_width_ = 0;
    int target_height_ = 0;
    std::array<int, 4> viewport_{};     // x, y, width, height from the target's top-left
    std::array<float, 4> projection_{}; // left, top, right, bottom
    bool swap_throttles_ = false;
};
