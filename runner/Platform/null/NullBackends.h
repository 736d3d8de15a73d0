// The null backends: no window, no drawing, no system clipboard. They let the whole runner run
// without a display, and let tests see what would have been shown.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "Platform/Clipboard.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/Window.h"

class NullWindow final : public Window {
public:
    bool Open(int width, int height, const std::string& caption, std::string&) override {
        width_ = width;
        height_ = height;
        caption_ = caption;
        return true;
    }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void PumpEvents(PlatformEvents& events) override;
    void SwapBuffers() override {}
    bool SetSwapInterval(int) override { return false; }
    double RefreshRate() const override { return 60.0; }
    void DrawableSize(int& width, int& height) const override {
        width = width_;
        height = height_;
    }

    void ClientSize(int& width, int& height) const override { DrawableSize(width, height); }
    void SetClientSize(int width, int height) override;
    void OuterRect(int& x, int& y, int& width, int& height) const override;
    void MoveOuterTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void DisplaySize(int& width, int& height) const override {
        width = display_width;
        height = display_height;
    }
    void SetFullScreen(bool on) override;
    bool FullScreen() const override { return full_screen_; }
    bool KeyHeld(int32_t virtual_key) const override { return keys_held_.contains(virtual_key); }
    void ShowCursor(bool shown) override { cursor_shown_ = shown; }
    bool CursorShown() const { return cursor_shown_; }

    // A test's stand-ins for the player's keys, typing, pointer and switching to another
    // window, delivered in order on the next pump. A key counts as held from its posting.
    void PostKey(int32_t virtual_key, bool down, bool repeat = false);
    void PostText(std::string utf8);
    void PostMouseMove(double x, double y);
    void PostMouseButton(int32_t button, bool down);
    void PostMouseWheel(int32_t steps);
    void PostFocusLost();
    // A test's stand-in for the player closing the window.
    void PostQuit() { quit_posted_ = true; }
    // A test's stand-in for Alt+Enter or F11.
    void PostFullScreenKey() { full_screen_key_posted_ = true; }
    const std::string& Caption() const { return caption_; }
    int SizeChanges() const { return size_changes_; }

    // What a test may set: the display, and the frame around the client area.
    int display_width = 1920;
    int display_height = 1080;
    int frame_left = 0, frame_top = 0, frame_right = 0, frame_bottom = 0;

private:
    std::string caption_;
    int width_ = 0;
    int height_ = 0;
    // The outer top-left corner, and the windowed size kept while full screen.
    int x_ = 0;
    int y_ = 0;
    int windowed_width_ = 0;
    int windowed_height_ = 0;
    int size_changes_ = 0;
    bool full_screen_ = false;
    bool cursor_shown_ = true;
    bool quit_posted_ = false;
    bool full_screen_key_posted_ = false;
    // Like a real window, a size change is reported on the next pump.
    bool resize_posted_ = false;
    std::vector<std::function<void(PlatformEvents&)>> posted_input_;
    std::set<int32_t> keys_held_;
};

// Draws nothing and keeps a record of what it was asked to draw, with the state each draw and
// clear happened in, so that tests of the drawing layer can read the frame back as data. It
// accepts and refuses what the OpenGL device accepts and refuses.
class NullGraphicsDevice final : public GraphicsDevice {
public:
    struct Viewport {
        int x = 0, y = 0, width = 0, height = 0;
        bool operator==(const Viewport&) const = default;
    };
    struct Projection {
        float left = 0, top = 0, right = 0, bottom = 0;
        bool operator==(const Projection&) const = default;
    };
    struct TextureRecord {
        int width = 0, height = 0;
        bool render_target = false;
    };
    struct DrawRecord {
        TextureId texture = 0;
        TextureId target = 0;
        BlendState blend;
        Projection projection;
        Viewport viewport;
        std::vector<Vertex> vertices;
    };
    struct ClearRecord {
        TextureId target = 0;
        uint32_t argb = 0;
        Viewport viewport;
    };
    static constexpr int kMaxTextureSide = 16384;

    void BeginFrame() override;
    void Clear(uint32_t argb) override { clears.push_back({target, argb, viewport}); }
    void Present() override { ++frames_presented; }
    bool SetSwapInterval(int) override { return false; }
    bool SwapIntervalThrottles() const override { return false; }
    double RefreshRate() const override { return 60.0; }
    void DrawableSize(int& width, int& height) const override;
    TextureId CreateTexture(int width, int height, const uint8_t* rgba) override;
    TextureId CreateRenderTarget(int width, int height) override;
    void DestroyTexture(TextureId texture) override;
    void SetRenderTarget(TextureId target) override;
    void SetViewport(int x, int y, int width, int height) override;
    void SetProjection(float left, float top, float right, float bottom) override {
        projection = {left, top, right, bottom};
    }
    void SetBlend(const BlendState& state) override;
    void DrawTriangles(TextureId texture, const Vertex* vertices, int count) override;
    std::vector<uint8_t> ReadPixels(int, int, int, int) override { return {}; }

    // What a test may set: the window's drawable size.
    int drawable_width = 640;
    int drawable_height = 480;

    // The record. Textures and render targets that exist now, by id.
    std::map<TextureId, TextureRecord> textures;
    std::vector<DrawRecord> draws;
    std::vector<ClearRecord> clears;
    int64_t frames_begun = 0;
    int64_t frames_presented = 0;
    int64_t textures_created = 0;

    // The current state, as the next draw will record it.
    TextureId target = 0;
    Viewport viewport{0, 0, 640, 480};
    Projection projection{0, 0, 640, 480};
    BlendState blend;

private:
    TextureId Add(int width, int height, bool render_target);

    TextureId next_id_ = 1;
};

class NullClipboard final : public Clipboard {
public:
    void SetText(const std::string& text) override { text_ = text; }
    std::string GetText() override { return text_; }

private:
    std::string text_;
};
