// Colours by character, for pixel art written as rows of characters. The game shares one
// palette file; a sprite may add colours of its own for its rows.
//
//     . transparent
//     k #1a1c2c
//     g #3b5dc9cc        (with alpha)
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "AssetDocument.h"

struct Texel {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Texel&) const = default;
};

class Palette {
public:
    // A palette file: each entry's key is one character and its one argument a colour.
    void AddDocument(const AssetDocument& document);
    // Each body line is a character, spaces, and a colour.
    void AddLines(const std::vector<AssetLine>& lines);

    std::optional<Texel> Find(char c) const;

private:
    void Add(char c, const std::string& colour, const SourceSpot& key_spot,
             const SourceSpot& colour_spot);

    std::array<std::optional<Texel>, 256> colours_{};
};
