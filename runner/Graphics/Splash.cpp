// Reading the splash image and showing it.
#include "Graphics/Splash.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "Base/Utf8Path.h"
#include "Graphics/GraphicsContext.h"
#include "Package/PackageError.h"
#include "Package/TextureDecoder.h"
#include "Platform/Clock.h"

namespace {

constexpr int kSplashFrames = 5;

std::optional<PackageTexture> ReadSplash(const std::string& game_folder) {
    const std::filesystem::path path = Utf8Path(game_folder) / "splash.png";
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>()};
    PackageTexture image;
    try {
        PackageBytes reader(bytes);
        DecodeTexture(reader, 0, image);
    } catch (const PackageError&) {
        return std::nullopt;
    }
    if (image.encoding != TextureEncoding::Png) return std::nullopt;
    return image;
}

// Centred on the view, shrunk to fit when it is larger.
Placement Centred(const CullRect& view, float width, float height) {
    const float view_width = view.right - view.left, view_height = view.bottom - view.top;
    const float scale = std::min({1.0f, view_width / width, view_height / height});
    return {view.left + (view_width - width * scale) / 2,
            view.top + (view_height - height * scale) / 2, scale, scale};
}

} // namespace

bool ShowSplash(GraphicsContext& graphics, const std::string& game_folder, Clock& clock,
                const std::function<void()>& pump) {
    const std::optional<PackageTexture> image = ReadSplash(game_folder);
    if (!image) return false;
    GraphicsDevice& device = graphics.Device();
    const int width = int(image->width), height = int(image->height);
    const TextureId texture = device.CreateTexture(width, height, image->pixels.data());
    if (texture == 0) return false;

    const FrameImage frame{texture, 0, 0, 1, 1, 0, 0, width, height};
    const Placement placement = Centred(graphics.Cull(), float(width), float(height));
    const bool vsync = device.SwapIntervalThrottles() && device.SetSwapInterval(1);
    const auto period_us = int64_t(1'000'000.0 / device.RefreshRate());
    for (int i = 0; i < kSplashFrames; ++i) {
        const int64_t start = clock.NowMicros();
        device.BeginFrame();
        graphics.BeginFrame();
        graphics.Clear(0, 1.0);
        graphics.DrawImage(frame, 0, 0, placement, VertexColour(kWhiteColour, 1.0));
        graphics.Flush();
        device.Present();
        if (!vsync) clock.SleepUntil(start + period_us);
        pump();
    }
    if (vsync) device.SetSwapInterval(0);
    device.DestroyTexture(texture);
    return true;
}
