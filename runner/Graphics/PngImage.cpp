// PNG files through libpng's simplified interface.
#include "Graphics/PngImage.h"

#include <fstream>
#include <png.h>

bool ReadPng(const std::string& path, RgbaImage& image, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        error = path + ": " + png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        error = path + ": " + png.message;
        png_image_free(&png);
        return false;
    }
    return true;
}

bool EncodePng(const RgbaImage& image, std::string& bytes, std::string& error) {
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4) {
        error = "the pixels do not fill the image";
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    if (png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr)) {
        bytes.resize(size);
        if (png_image_write_to_memory(&png, bytes.data(), &size, 0, image.pixels.data(), 0, nullptr)) {
            bytes.resize(size);
            return true;
        }
    }
    error = png.message;
    return false;
}

bool WritePng(const std::string& path, const RgbaImage& image, std::string& error) {
    std::string bytes;
    if (!EncodePng(image, bytes, error)) {
        error = path + ": " + error;
        return false;
    }
    std::ofstream file(path, std::ios::binary);
    if (!(file << bytes) || !file.flush()) {
        error = path + ": cannot be written";
        return false;
    }
    return true;
}
