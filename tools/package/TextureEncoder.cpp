// PNG and RAW encoding.
#include "TextureEncoder.h"

#include "Package/PackageFormat.h"

#include <cstring>
#include <png.h>
#include <stdexcept>
#include <string>

using namespace package;

namespace {

std::vector<uint8_t> EncodePng(const PackageTexture& texture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = texture.width;
    image.height = texture.height;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, texture.pixels.data(), 0, nullptr))
        throw std::invalid_argument(std::string("texture does not encode as PNG: ") +
                                    image.message);
    std::vector<uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, texture.pixels.data(), 0, nullptr))
        throw std::invalid_argument(std::string("texture does not encode as PNG: ") +
                                    image.message);
    png.resize(size);
    return png;
}

std::vector<uint8_t> EncodeRaw(const PackageTexture& texture, bool sixteen) {
    RawTextureHeader header{kTagRaw, texture.width, texture.height,
                            sixteen ? kRawFormat16 : kRawFormat32};
    const size_t pixel_count = texture.pixels.size() / 4;
    std::vector<uint8_t> data(sizeof header + pixel_count * (sixteen ? 2 : 4));
    std::memcpy(data.data(), &header, sizeof header);
    uint8_t* out = data.data() + sizeof header;
    if (!sixteen) {
        if (pixel_count) std::memcpy(out, texture.pixels.data(), pixel_count * 4);
        return data;
    }
    for (size_t i = 0; i < pixel_count; ++i) {
        unsigned pixel = 0;
        for (size_t channel = 0; channel < 4; ++channel)
            pixel |= unsigned(texture.pixels[4 * i + channel] >> 4) << (12 - 4 * channel);
        out[2 * i] = uint8_t(pixel);
        out[2 * i + 1] = uint8_t(pixel >> 8);
    }
    return data;
}

} // namespace

std::vector<uint8_t> EncodeTexture(const PackageTexture& texture) {
    if (texture.encoding != TextureEncoding::None &&
        texture.pixels.size() != uint64_t(texture.width) * texture.height * 4)
        throw std::invalid_argument("texture pixels do not match its size");
    switch (texture.encoding) {
    case TextureEncoding::Png: return EncodePng(texture);
    case TextureEncoding::Raw16: return EncodeRaw(texture, true);
    case TextureEncoding::Raw32: return EncodeRaw(texture, false);
    case TextureEncoding::None: break;
    }
    return std::vector<uint8_t>(4, 0);
}
