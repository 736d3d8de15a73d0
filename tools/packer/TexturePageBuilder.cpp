#include "TexturePageBuilder.h"

#include <algorithm>
#include <cstring>
#include <stb_rect_pack.h>
#include <stdexcept>

namespace {

// Clear pixels around each part, so that filtering never reaches a neighbour.
constexpr int kPadding = 1;

// What makes two frames interchangeable: their size, where the opaque part sits, its pixels.
std::string ContentKey(const PixelImage& trimmed, const PixelRect& in_frame, int width, int height) {
    std::string key;
    for (int value : {width, height, in_frame.x, in_frame.y, in_frame.width, in_frame.height})
        key.append(reinterpret_cast<const char*>(&value), sizeof value);
    key.append(reinterpret_cast<const char*>(trimmed.pixels.data()), trimmed.pixels.size() * sizeof(Texel));
    return key;
}

} // namespace

int32_t TexturePageBuilder::AddFrame(const PixelImage& frame, bool trim) {
    PixelRect bounds = trim ? frame.OpaqueBounds() : PixelRect{0, 0, frame.width, frame.height};
    // A clear frame still needs an entry: one clear pixel.
    if (bounds.Empty()) bounds = {0, 0, std::min(frame.width, 1), std::min(frame.height, 1)};
    PixelImage trimmed = frame.Crop(bounds);
    const std::string key = ContentKey(trimmed, bounds, frame.width, frame.height);
    if (auto found = index_by_content_.find(key); found != index_by_content_.end()) return found->second;
    const auto index = int32_t(parts_.size());
    parts_.push_back({std::move(trimmed), bounds, frame.width, frame.height});
    index_by_content_.emplace(key, index);
    return index;
}

void TexturePageBuilder::Write(GamePackage& package) {
    std::vector<stbrp_rect> waiting;
    for (size_t i = 0; i < parts_.size(); ++i) {
        const Part& part = parts_[i];
        const int w = part.pixels.width + 2 * kPadding, h = part.pixels.height + 2 * kPadding;
        if (w > page_side_ || h > page_side_)
            throw std::runtime_error("a frame of " + std::to_string(part.frame_width) + "x" +
                                     std::to_string(part.frame_height) + " does not fit a " +
                                     std::to_string(page_side_) + " pixel texture page");
        waiting.push_back({int(i), w, h, 0, 0, 0});
    }

    if (!package.texture_page_entries.empty() || !package.textures.empty())
        throw std::logic_error("texture pages are laid out once, into a package without any");
    package.texture_page_entries.resize(parts_.size());
    uint64_t covered = 0, page_area = 0;
    std::vector<stbrp_node> nodes(static_cast<size_t>(page_side_));
    while (!waiting.empty()) {
        stbrp_context context;
        stbrp_init_target(&context, page_side_, page_side_, nodes.data(), int(nodes.size()));
        stbrp_pack_rects(&context, waiting.data(), int(waiting.size()));

        // The page is as tall as what landed on it.
        int page_height = 0;
        for (const stbrp_rect& rect : waiting)
            if (rect.was_packed) page_height = std::max(page_height, rect.y + rect.h);
        PackageTexture texture;
        texture.encoding = TextureEncoding::Png;
        texture.width = uint32_t(page_side_);
        texture.height = uint32_t(page_height);
        texture.pixels.assign(size_t(page_side_) * size_t(page_height) * 4, 0);
        const auto texture_index = int16_t(package.textures.size());

        std::vector<stbrp_rect> left;
        for (const stbrp_rect& rect : waiting) {
            if (!rect.was_packed) {
                left.push_back(rect);
                continue;
            }
            const Part& part = parts_[size_t(rect.id)];
            const int x0 = rect.x + kPadding, y0 = rect.y + kPadding;
            for (int y = 0; y < part.pixels.height; ++y)
                std::memcpy(&texture.pixels[(size_t(y0 + y) * size_t(page_side_) + size_t(x0)) * 4],
                            &part.pixels.At(0, y), size_t(part.pixels.width) * 4);
            covered += uint64_t(part.pixels.width) * uint64_t(part.pixels.height);
            package.texture_page_entries[size_t(rect.id)] = {
                uint16_t(x0), uint16_t(y0), uint16_t(part.pixels.width), uint16_t(part.pixels.height),
                uint16_t(part.in_frame.x), uint16_t(part.in_frame.y), uint16_t(part.in_frame.width),
                uint16_t(part.in_frame.height), uint16_t(part.frame_width), uint16_t(part.frame_height),
                texture_index};
        }
        page_area += uint64_t(page_side_) * uint64_t(page_height);
        package.textures.emplace_back(std::move(texture));
        waiting = std::move(left);
    }
    occupancy_ = page_area ? double(covered) / double(page_area) : 0;
}
