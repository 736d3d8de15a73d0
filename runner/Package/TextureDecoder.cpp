// PNG and RAW texture data to RGBA pixels.
#include "Package/TextureDecoder.h"

#include "Package/PackageFormat.h"

#include <cstring>
#include <png.h>
#include <string>

using namespace package;

namespace {

// Deflate never packs more than this many bytes into one.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kPngChunkOverhead = 12; // length, type, CRC
constexpr uint32_t kPngMaxChunkLength = 0x7FFFFFFF;

uint32_t BigEndianWord(const PackageBytes& bytes, uint64_t offset, const char* what) {
    uint32_t word = bytes.Word(offset, what);
    return (word >> 24) | ((word >> 8) & 0xFF00u) | ((word << 8) & 0xFF0000u) | (word << 24);
}

// The PNG's length: its chunks up to and including IEND.
uint64_t PngLength(const PackageBytes& bytes, uint64_t offset) {
    uint64_t at = offset + sizeof kPngSignature;
    for (;;) {
        uint32_t length = BigEndianWord(bytes, at, "PNG chunk");
        uint32_t type = bytes.Word(at + 4, "PNG chunk");
        if (length > kPngMaxChunkLength) bytes.Fail("PNG chunk length is too large", at);
        bytes.Need(at, kPngChunkOverhead + length, "PNG chunk");
        at += kPngChunkOverhead + length;
        if (type == MakeTag("IEND")) return at - offset;
    }
}

// Width and height from the PNG's header, refused when its pixels could not have come from
// `length` bytes of compressed data.
void CheckPngSize(const PackageBytes& bytes, uint64_t offset, uint64_t length) {
    const uint64_t header = offset + sizeof kPngSignature;
    if (bytes.Word(header + 4, "PNG header") != MakeTag("IHDR"))
        bytes.Fail("PNG does not start with its header chunk", header);
    const uint32_t width = BigEndianWord(bytes, header + 8, "PNG width");
    const uint32_t height = BigEndianWord(bytes, header + 12, "PNG height");
    const uint8_t depth = bytes.Read<uint8_t>(header + 16, "PNG bit depth");
    const uint8_t colour_type = bytes.Read<uint8_t>(header + 17, "PNG colour type");
    if (width == 0 || height == 0 || width > kMaxTextureSide || height > kMaxTextureSide)
        bytes.Fail("PNG of " + std::to_string(width) + "x" + std::to_string(height) +
                       " pixels is empty or larger than " + std::to_string(kMaxTextureSide),
                   header + 8);
    static constexpr uint8_t kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    const uint64_t channels = colour_type < sizeof kChannels ? kChannels[colour_type] : 4;
    const uint64_t row_bytes = (uint64_t(width) * channels * depth + 7) / 8 + 1; // + filter byte
    if (row_bytes * height > kMaxDeflateRatio * length)
        bytes.Fail("PNG claims more pixels than its " + std::to_string(length) + " bytes can hold",
                   header + 8);
}

// Frees libpng's state on every way out.
struct PngImage {
    png_image image{};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
};

void DecodePng(PackageBytes& bytes, uint64_t offset, PackageTexture& texture) {
    const uint64_t length = PngLength(bytes, offset);
    bytes.Charge(length, offset);
    CheckPngSize(bytes, offset, length);

    PngImage png;
    if (!png_image_begin_read_from_memory(&png.image, bytes.Data() + offset, length))
        bytes.Fail(std::string("PNG does not decode: ") + png.image.message, offset);
    png.image.format = PNG_FORMAT_RGBA;
    texture.encoding = TextureEncoding::Png;
    texture.width = png.image.width;
    texture.height = png.image.height;
    texture.pixels.resize(PNG_IMAGE_SIZE(png.image));
    if (!png_image_finish_read(&png.image, nullptr, texture.pixels.data(), 0, nullptr))
        bytes.Fail(std::string("PNG does not decode: ") + png.image.message, offset);
}

void DecodeRaw(PackageBytes& bytes, uint64_t offset, PackageTexture& texture) {
    auto header = bytes.Read<RawTextureHeader>(offset, "RAW header");
    if (header.width > kMaxTextureSide || header.height > kMaxTextureSide)
        bytes.Fail("RAW texture of " + std::to_string(header.width) + "x" +
                       std::to_string(header.height) + " pixels is larger than " +
                       std::to_string(kMaxTextureSide),
                   offset + 4);
    const bool sixteen = header.format == kRawFormat16;
    const uint64_t pixel_count = uint64_t(header.width) * header.height;
    const uint64_t pixels_at = offset + sizeof(RawTextureHeader);
    bytes.NeedItems(pixels_at, pixel_count, sixteen ? 2 : 4, "RAW pixels");

    texture.encoding = sixteen ? TextureEncoding::Raw16 : TextureEncoding::Raw32;
    texture.width = header.width;
    texture.height = header.height;
    texture.pixels.resize(pixel_count * 4);
    const uint8_t* source = bytes.Data() + pixels_at;
    if (!sixteen) {
        if (pixel_count) std::memcpy(texture.pixels.data(), source, pixel_count * 4);
        return;
    }
    for (uint64_t i = 0; i < pixel_count; ++i) {
        const unsigned pixel = source[2 * i] | unsigned(source[2 * i + 1]) << 8;
        for (int channel = 0; channel < 4; ++channel)
            texture.pixels[4 * i + channel] = uint8_t(((pixel >> (12 - 4 * channel)) & 0xF) * 17);
    }
}

} // namespace

void DecodeTexture(PackageBytes& bytes, uint64_t offset, PackageTexture& texture) {
    texture.encoding = TextureEncoding::None;
    texture.width = texture.height = 0;
    texture.pixels.clear();
    bytes.Need(offset, 4, "texture data");
    if (offset + sizeof kPngSignature <= bytes.Size() &&
        std::memcmp(bytes.Data() + offset, kPngSignature, sizeof kPngSignature) == 0)
        DecodePng(bytes, offset, texture);
    else if (bytes.Word(offset, "texture data") == kTagRaw)
        DecodeRaw(bytes, offset, texture);
}
