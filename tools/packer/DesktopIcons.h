// The game's icons, drawn from a sprite frame: for the desktop's icon theme, PNG files of
// every usual size, and for the window, one of them compiled into the game as RGBA pixels.
#pragma once

#include <map>
#include <string>

#include "PixelImage.h"

inline constexpr int kIconSides[] = {16, 24, 32, 48, 64, 128, 256};
inline constexpr int kWindowIconSide = 48;

// A square of `side` pixels, transparent but for the frame's opaque part, outlined in black as
// the game draws its actors, in its middle, scaled up by the largest whole number that fits, pixel
// for pixel. A part larger than the square is shrunk by the smallest whole number that fits
// instead, each pixel the mean of those it covers.
PixelImage IconImage(const PixelImage& frame, int side);

// By path: "<folder>/<N>x<N>/apps/<file name>" for each side, and in `code`, "GameIcon.h" and
// "GameIcon.cpp", which define GameWindowIcon().
std::map<std::string, std::string> DesktopIconFiles(const PixelImage& frame, const std::string& folder,
                                                    const std::string& file_name, const std::string& code);
