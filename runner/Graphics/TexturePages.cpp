// Uploading the texture pages and precomputing each entry's texture rectangle.
#include "Graphics/TexturePages.h"

#include <algorithm>

#include "Base/OutputChannel.h"

namespace {

constexpr uint8_t kWhite[4] = {255, 255, 255, 255};

// The page with a white row appended; rows run top down, so the row goes at the end.
TextureId Upload(GraphicsDevice& device, const PackageTexture& page) {
    std::vector<uint8_t> pixels(page.pixels.size() + size_t(page.width) * 4, 255);
    std::copy(page.pixels.begin(), page.pixels.end(), pixels.begin());
    return device.CreateTexture(int(page.width), int(page.height) + 1, pixels.data());
}

} // namespace

TexturePages::TexturePages(GraphicsDevice& device)
    : device_(device), white_texture_(device.CreateTexture(1, 1, kWhite)) {}

TexturePages::~TexturePages() {
    Release();
    for (const auto& [picture, image] : builtins_)
        device_.DestroyTexture(image.texture);
    device_.DestroyTexture(white_texture_);
}

void TexturePages::Release() {
    for (const WhiteTexel& page : pages_)
        device_.DestroyTexture(page.texture);
    pages_.clear();
    entries_.clear();
}

void TexturePages::Load(const ResourceList<PackageTexture>& textures,
                        const std::vector<package::TexturePageEntry>& entries) {
    Release();
    std::vector<float> inverse_width(textures.size()), inverse_height(textures.size());
    for (size_t i = 0; i < textures.size(); ++i) {
        WhiteTexel page{0, 0, 0};
        const auto& texture = textures[i];
        if (texture && texture->width > 0 && texture->height > 0 && !texture->pixels.empty()) {
            page.texture = Upload(device_, *texture);
            if (page.texture == 0) ErrorOutput().Printf("texture page %zu could not be made\n", i);
            inverse_width[i] = 1.0f / float(texture->width);
            inverse_height[i] = 1.0f / float(texture->height + 1);
            page.u = 0.5f * inverse_width[i];
            page.v = (float(texture->height) + 0.5f) * inverse_height[i];
        }
        pages_.push_back(page);
    }

    entries_.reserve(entries.size());
    for (const package::TexturePageEntry& entry : entries) {
        FrameImage image;
        const size_t page = size_t(entry.texture);
        if (entry.texture >= 0 && page < pages_.size()) {
            // Entry fields are signed 16-bit.
            const auto field = [](uint16_t value) { return float(int16_t(value)); };
            image.texture = pages_[page].texture;
            image.u0 = field(entry.source_x) * inverse_width[page];
            image.v0 = field(entry.source_y) * inverse_height[page];
            image.u1 = (field(entry.source_x) + field(entry.source_width)) * inverse_width[page];
            image.v1 = (field(entry.source_y) + field(entry.source_height)) * inverse_height[page];
            image.texel_width = inverse_width[page];
            image.texel_height = inverse_height[page];
            image.target_x = int16_t(entry.target_x);
            image.target_y = int16_t(entry.target_y);
            // A target size of 0 is drawn as 1.
            image.target_width = entry.target_width ? int16_t(entry.target_width) : 1;
            image.target_height = entry.target_height ? int16_t(entry.target_height) : 1;
        }
        entries_.push_back(image);
    }
}

const FrameImage* TexturePages::Entry(int32_t index) const {
    if (index < 0 || size_t(index) >= entries_.size()) return nullptr;
    const FrameImage& image = entries_[size_t(index)];
    return image.texture ? &image : nullptr;
}

const FrameImage* TexturePages::Builtin(const BuiltinPicture& picture) {
    for (const auto& [known, image] : builtins_)
        if (known == &picture) return image.texture ? &image : nullptr;
    FrameImage image;
    image.texture = device_.CreateTexture(picture.width, picture.height, picture.rgba);
    image.u1 = image.v1 = 1;
    image.target_width = picture.width;
    image.target_height = picture.height;
    image.texel_width = 1.0f / float(picture.width);
    image.texel_height = 1.0f / float(picture.height);
    builtins_.emplace_back(&picture, image);
    return image.texture ? &builtins_.back().second : nullptr;
}

WhiteTexel TexturePages::WhiteFor(TextureId texture) const {
    if (texture != 0)
        for (const WhiteTexel& page : pages_)
            if (page.texture == texture) return page;
    return {white_texture_, 0.5f, 0.5f};
}
