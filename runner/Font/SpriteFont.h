// Fonts made at run time from a sprite whose frames are the glyphs of consecutive characters.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Font/CFontKT.h"

class CSprite;

// Where a frame's visible pixels start and end across its untrimmed width; empty when the
// frame has no texture page entry to tell.
struct FrameSpan {
    int32_t left, right;
};
using FrameSpanOf = std::function<std::optional<FrameSpan>(int32_t frame)>;

// One glyph per frame for the characters from `first` on, and a space glyph as wide as the
// widest glyph when none of them is a space. Proportional glyphs are as wide as their frame's
// visible span (else the sprite's width), plus `separation`. Frames without a span use the
// sprite's bounding box.
std::unique_ptr<CFontKT> MakeSpriteFont(std::string name, int32_t sprite_index,
                                        const CSprite& sprite, int32_t first, bool proportional,
                                        int32_t separation, const FrameSpanOf& span_of);
