// RGBA pixels to texture data as the package stores it: a PNG file (written with libpng), a RAW
// block of 16- or 32-bit pixels, or, for TextureEncoding::None, a word that is neither.
#pragma once

#include "Package/PackageTexture.h"

#include <cstdint>
#include <vector>

std::vector<uint8_t> EncodeTexture(const PackageTexture& texture);
