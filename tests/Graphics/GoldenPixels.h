// Golden-image scenes: the colours they are painted in, pictures written as rows of colour keys,
// and each scene's pixels checked by hand against the drawing rules beside its PNG, as a golden
// image can be rewritten without looking and these lists cannot.
#pragma once

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "GlTestWindow.h"
#include "Platform/GoldenImage.h"
#include "TestFiles.h"

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kOrange{255, 128, 0, 255};
constexpr Rgba kMagenta{255, 0, 255, 255};
constexpr Rgba kCyan{0, 255, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kGrey{96, 96, 96, 255};
constexpr Rgba kNavy{20, 30, 60, 255};

// A colour as the built-ins and rooms take it: red in the low byte, no alpha.
constexpr uint32_t ColourOf(const Rgba& colour) {
    return uint32_t(colour.r | colour.g << 8 | colour.b << 16);
}

// The pixel at (x, y) is `colour`, give or take `steps` per channel.
inline ::testing::AssertionResult PixelIs(const RgbaImage& image, int x, int y, const Rgba& colour,
                                          int steps = 1) {
    const Rgba drawn = PixelAt(image.pixels, image.width, x, y);
    if (std::abs(drawn.r - colour.r) <= steps && std::abs(drawn.g - colour.g) <= steps &&
        std::abs(drawn.b - colour.b) <= steps && std::abs(drawn.a - colour.a) <= steps)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at (" << x << ", " << y << "): " << drawn
                                         << " instead of " << colour;
}

// The lines of a text file of the tests folder, less empty ones and notes ('#' first).
inline std::vector<std::string> DataLines(const std::string& name) {
    std::istringstream text(ReadText(TEST_SOURCE_DIR "/" + name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    EXPECT_FALSE(lines.empty()) << name;
    return lines;
}

// The RGBA pixels of rows of colour keys: r g b y o m c w n(avy), p for `padding`, '.' clear.
inline std::vector<uint8_t> KeyPixels(const std::vector<std::string>& rows, const Rgba& padding) {
    const std::map<char, Rgba> keys = {{'r', kRed},    {'g', kGreen},   {'b', kBlue},
                                       {'y', kYellow}, {'o', kOrange},  {'m', kMagenta},
                                       {'c', kCyan},   {'w', kWhite},   {'n', kNavy},
                                       {'p', padding}, {'.', Rgba{}}};
    std::vector<uint8_t> pixels;
    for (const std::string& row : rows)
        for (char key : row) {
            const Rgba& c = keys.at(key);
            pixels.insert(pixels.end(), {uint8_t(c.r), uint8_t(c.g), uint8_t(c.b), uint8_t(c.a)});
        }
    return pixels;
}

// The image against `name`.png, and against the pixels `name`.pixels lists one a line as
// "x y colour [steps]", the colour named as above (navy for kNavy) or written #rrggbb.
inline void ExpectGolden(const RgbaImage& image, const std::string& name, int steps = 1) {
    const std::map<std::string, Rgba> names = {
        {"red", kRed},         {"green", kGreen}, {"blue", kBlue},   {"yellow", kYellow},
        {"orange", kOrange},   {"magenta", kMagenta}, {"cyan", kCyan}, {"white", kWhite},
        {"black", kBlack},     {"grey", kGrey},   {"navy", kNavy}};
    for (const std::string& line : DataLines(name + ".pixels")) {
        std::istringstream fields(line);
        int x = 0, y = 0, tolerance = steps;
        std::string colour;
        if (!(fields >> x >> y >> colour) || (colour[0] != '#' && !names.contains(colour))) {
            ADD_FAILURE() << name << ".pixels: cannot read \"" << line << "\"";
            continue;
        }
        if (!(fields >> tolerance)) tolerance = steps;
        const unsigned long hex = colour[0] == '#' ? std::stoul(colour.substr(1), nullptr, 16) : 0;
        const Rgba expected = colour[0] == '#' ? Rgba{int(hex >> 16), int(hex >> 8 & 255),
                                                      int(hex & 255), 255}
                                               : names.at(colour);
        EXPECT_TRUE(PixelIs(image, x, y, expected, tolerance)) << name << ".pixels: " << line;
    }
    EXPECT_TRUE(MatchesGoldenImage(image, name + ".png"));
}
