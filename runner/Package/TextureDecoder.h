// Texture data to RGBA pixels: a PNG file (decoded with libpng) or a RAW block of 16- or 32-bit
// pixels. Sizes are checked against the data before any pixel memory is taken, so a few bytes
// cannot ask for a gigabyte.
#pragma once

#include "Package/PackageBytes.h"
#include "Package/PackageTexture.h"

#include <cstdint>

// Decodes the data at `offset` into `texture` (encoding, size, pixels). Data that is neither PNG
// nor RAW leaves encoding None and no pixels. Damaged data fails (PackageError).
void DecodeTexture(PackageBytes& bytes, uint64_t offset, PackageTexture& texture);
