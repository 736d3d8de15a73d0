// An RGBA image, rows top down, and the rows of characters pixel art is written in.
#pragma once

#include <cstdint>
#include <vector>

#include "Palette.h"

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelRect&) const = default;
};

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<Texel> pixels; // width x height

    const Texel& At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    Texel& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    // The smallest rectangle holding every pixel that is not fully transparent; empty when
    // there is none.
    PixelRect OpaqueBounds() const;
    PixelImage Crop(const PixelRect& rect) const;
    bool operator==(const PixelImage&) const = default;
};

// Rows of palette characters, all of one length, into an image.
PixelImage ImageFromRows(const std::vector<AssetLine>& rows, const Palette& palette);
