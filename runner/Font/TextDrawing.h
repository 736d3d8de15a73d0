// Drawing laid-out text through the sprite batch: each glyph a quad cut from the font's
// picture (or its sprite frame), so a paragraph in one font is one draw call.
#pragma once

#include <cstdint>
#include <string_view>

#include "Font/FontTable.h"
#include "Font/TextLayout.h"
#include "Graphics/GraphicsContext.h"

class CFontKT;

// Where and how a text is drawn. Lines are `separation` apart (-1 for the font's line
// height); the scales and the angle (degrees, counter-clockwise) apply to the whole block,
// about (x, y). The colours are vertex colours for the corners of each line: left and right
// across its width, top and bottom across the font's glyphs.
struct TextPlacement {
    double x = 0, y = 0;
    int32_t separation = -1;
    int32_t wrap = kNoWrap;
    float xscale = 1, yscale = 1, angle = 0;
    CornerColours colours{};
};

void DrawText(GraphicsContext& graphics, const CFontKT& font, const TextDrawState& align,
              std::string_view utf8, const TextPlacement& placement);
