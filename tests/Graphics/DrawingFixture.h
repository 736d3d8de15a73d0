// Tests of the drawing built-ins: every built-in registered, a drawing context over the null
// device (which records each draw call with its texture, target, blend state, projection and
// viewport), and a small package of two texture pages and a few sprites:
//
//   page 0, 128x64: sFour's frames 0..3 (32x32 each along the top), sTrim's trimmed frame
//   page 1, 16x16:  sOther's frame
//   sprites: 0 sFour (origin 16,16), 1 sTrim (16x16 frame, 8x6 picture at 4,5), 2 sOther,
//            3 none, 4 sEmpty (no frames)
#pragma once

#include <array>
#include <cmath>
#include <vector>

#include "BuiltinCallFixture.h"
#include "Code/GameConstants.h"
#include "Code/RuntimeError.h"
#include "Code/ValueTestSupport.h"
#include "Graphics/GraphicsContext.h"
#include "Platform/null/NullBackends.h"
#include "Sprite/SpriteTable.h"
#include "Variable/CInstance.h"

namespace drawing_test {

enum SpriteIndex { kFour, kTrim, kOther, kMissing, kEmpty };
constexpr float kPageWidth = 128, kPageHeight = 64 + 1; // with the white row

inline PackageTexture Page(uint32_t width, uint32_t height) {
    PackageTexture page;
    page.width = width;
    page.height = height;
    page.pixels.assign(size_t(width) * height * 4, 0x80);
    return page;
}

inline package::TexturePageEntry Entry(uint16_t x, uint16_t y, uint16_t width, uint16_t height,
                                       int16_t texture) {
    return {x, y, width, height, 0, 0, width, height, width, height, texture};
}

inline PackageSprite Sprite(uint32_t size, int32_t origin, std::vector<int32_t> frames) {
    PackageSprite sprite;
    sprite.width = sprite.height = size;
    sprite.origin_x = sprite.origin_y = origin;
    sprite.frames = std::move(frames);
    return sprite;
}

// The first and third corners of the quad at `first`, x and y: its top-left and bottom-right
// when it is upright.
inline std::array<float, 4> Corners(const std::vector<Vertex>& v, size_t first = 0) {
    return {v[first].x, v[first].y, v[first + 2].x, v[first + 2].y};
}

} // namespace drawing_test

class DrawingTest : public BuiltinCallTest {
protected:
    void SetUp() override {
        using namespace drawing_test;
        BuiltinCallTest::SetUp();
        package_.textures = {Page(128, 64), Page(16, 16)};
        package::TexturePageEntry trimmed = Entry(0, 32, 8, 6, 0);
        trimmed.target_x = 4;
        trimmed.target_y = 5;
        trimmed.frame_width = trimmed.frame_height = 16;
        package_.texture_page_entries = {Entry(0, 0, 32, 32, 0), Entry(32, 0, 32, 32, 0),
                                         Entry(64, 0, 32, 32, 0), Entry(96, 0, 32, 32, 0),
                                         trimmed, Entry(0, 0, 16, 16, 1)};
        graphics_.LoadPackage(package_);
        SetActiveGraphics(&graphics_);
        LoadSprites({Sprite(32, 16, {0, 1, 2, 3}), Sprite(16, 0, {4}), Sprite(16, 0, {5}),
                     std::nullopt, Sprite(16, 0, {})});
        caller_ = &instance_;
    }
    void TearDown() override {
        SetActiveGraphics(nullptr);
        ClearSprites();
        BuiltinCallTest::TearDown();
    }

    // What is queued, drawn.
    const std::vector<NullGraphicsDevice::DrawRecord>& Draws() {
        graphics_.Flush();
        return device_.draws;
    }
    // The vertices of every draw call, in order.
    std::vector<Vertex> Vertices() {
        std::vector<Vertex> vertices;
        for (const auto& draw : Draws())
            vertices.insert(vertices.end(), draw.vertices.begin(), draw.vertices.end());
        return vertices;
    }
    void ForgetDraws() {
        graphics_.Flush();
        device_.draws.clear();
    }

    NullGraphicsDevice device_;
    GraphicsContext graphics_{device_, 320, 180};
    GamePackage package_;
    CInstance instance_{100001, 0};
    RuntimeErrorCapture errors_;
};
