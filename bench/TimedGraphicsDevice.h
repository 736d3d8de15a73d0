// A graphics device that hands every call on to the real one and adds up the time spent in
// the calls that cost a frame something (clears, draws into a render target or the window,
// target changes, presenting), so a benchmark can tell the driver's share of a frame from the
// runner's.
#pragma once

#include <chrono>
#include <memory>

#include "Platform/GraphicsDevice.h"

struct DeviceTimes {
    double clear_us = 0;
    double draw_target_us = 0; // draws into a render target: uploads and vertex processing
    double draw_window_us = 0;
    double set_target_us = 0;
    double present_us = 0;
};

class TimedGraphicsDevice final : public GraphicsDevice {
public:
    explicit TimedGraphicsDevice(std::unique_ptr<GraphicsDevice> device)
        : device_(std::move(device)) {}

    DeviceTimes& Times() { return times_; }

    void BeginFrame() override { device_->BeginFrame(); }
    void Clear(uint32_t argb) override {
        Timed(times_.clear_us, [&] { device_->Clear(argb); });
    }
    void Present() override {
        Timed(times_.present_us, [&] { device_->Present(); });
    }
    bool SetSwapInterval(int interval) override { return device_->SetSwapInterval(interval); }
    bool SwapIntervalThrottles() const override { return device_->SwapIntervalThrottles(); }
    double RefreshRate() const override { return device_->RefreshRate(); }
    void DrawableSize(int& width, int& height) const override {
        device_->DrawableSize(width, height);
    }
    TextureId CreateTexture(int width, int height, const uint8_t* rgba) override {
        return device_->CreateTexture(width, height, rgba);
    }
    TextureId CreateRenderTarget(int width, int height) override {
        return device_->CreateRenderTarget(width, height);
    }
    void DestroyTexture(TextureId texture) override { device_->DestroyTexture(texture); }
    void SetRenderTarget(TextureId target) override {
        target_ = target;
        Timed(times_.set_target_us, [&] { device_->SetRenderTarget(target); });
    }
    void SetViewport(int x, int y, int width, int height) override {
        device_->SetViewport(x, y, width, height);
    }
    void SetProjection(float left, float top, float right, float bottom) override {
        device_->SetProjection(left, top, right, bottom);
    }
    void SetBlend(const BlendState& blend) override { device_->SetBlend(blend); }
    void DrawTriangles(TextureId texture, const Vertex* vertices, int count) override {
        Timed(target_ ? times_.draw_target_us : times_.draw_window_us,
              [&] { device_->DrawTriangles(texture, vertices, count); });
    }
    std::vector<uint8_t> ReadPixels(int x, int y, int width, int height) override {
        return device_->ReadPixels(x, y, width, height);
    }

private:
    template <typename Call>
    static void Timed(double& total_us, Call call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        total_us +=
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
    }

    std::unique_ptr<GraphicsDevice> device_;
    TextureId target_ = 0;
    DeviceTimes times_;
};
