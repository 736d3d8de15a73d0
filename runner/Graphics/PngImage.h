// Pictures as PNG files: the runner's screenshots, and the golden images of the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // rows from the top, red, green, blue, alpha
};

bool ReadPng(const std::string& path, RgbaImage& image, std::string& error);
// The PNG file's bytes; false, with the reason, when the image cannot be one.
bool EncodePng(const RgbaImage& image, std::string& bytes, std::string& error);
bool WritePng(const std::string& path, const RgbaImage& image, std::string& error);
