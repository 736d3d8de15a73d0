// The font text is drawn with when the game has set none: the runner's own 5x7 pixel font
// (with descenders below), covering printable ASCII and U+25AF, which stands in for every
// other character. Glyphs advance 6 pixels; lines are 10 pixels apart.
#pragma once

#include "Graphics/TexturePages.h"

class CFontKT;

const CFontKT& DefaultFont();
// The glyphs' picture: white where a glyph has a pixel, clear elsewhere, with a clear texel
// around every glyph so that the one-texel margin of a glyph quad samples nothing else.
const BuiltinPicture& DefaultFontPicture();
