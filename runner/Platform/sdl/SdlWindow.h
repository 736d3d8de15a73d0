// The SDL window with its OpenGL 3.3 core context.
#pragma once

#include <SDL.h>

#include "Platform/Window.h"

class SdlWindow final : public Window {
public:
    SdlWindow() = default;
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool Open(int width, int height, const std::string& caption, std::string& error) override;
    void SetCaption(const std::string& caption) override;
    void PumpEvents(PlatformEvents& events) override;
    void SwapBuffers() override;
    bool SetSwapInterval(int interval) override;
    double RefreshRate() const override;
    void DrawableSize(int& width, int& height) const override;
    void ClientSize(int& width, int& height) const override;
    void SetClientSize(int width, int height) override;
    void OuterRect(int& x, int& y, int& width, int& height) const override;
    void MoveOuterTo(int x, int y) override;
    void DisplaySize(int& width, int& height) const override;
    void SetFullScreen(bool on) override;
    bool FullScreen() const override;
    bool KeyHeld(int32_t virtual_key) const override;
    void SetIcon(int width, int height, const uint8_t* rgba) override;
    void ShowCursor(bool shown) override;

private:
    // The frame's widths around the client area; zero where the platform does not say.
    void Borders(int& left, int& top, int& right, int& bottom) const;

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    bool video_started_ = false;
};
