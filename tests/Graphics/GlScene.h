// A window on OpenGL without a display with a drawing context over it, made the active one, for
// the golden-image tests: the package's pages loaded, a frame begun, the picture read back.
#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "Graphics/GraphicsContext.h"
#include "GlTestWindow.h"
#include "Platform/GoldenImage.h"

class GlScene {
public:
    ~GlScene() { SetActiveGraphics(nullptr); }

    ::testing::AssertionResult Open(int width, int height, const GamePackage& package) {
        std::string error;
        if (!window_.Open(width, height, error)) return ::testing::AssertionFailure() << error;
        width_ = width;
        height_ = height;
        graphics_ = std::make_unique<GraphicsContext>(window_.Device(), width, height);
        graphics_->LoadPackage(package);
        SetActiveGraphics(graphics_.get());
        window_.Device().BeginFrame();
        graphics_->BeginFrame();
        return ::testing::AssertionSuccess();
    }

    // The window as drawn so far; nothing when it never opened.
    RgbaImage Picture() {
        if (!graphics_) return {};
        graphics_->Flush();
        return {width_, height_, window_.Device().ReadPixels(0, 0, width_, height_)};
    }

private:
    GlTestWindow window_;
    std::unique_ptr<GraphicsContext> graphics_;
    int width_ = 0, height_ = 0;
};
