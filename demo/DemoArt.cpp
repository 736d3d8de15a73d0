// The pictures as palette rows where a picture has a shape worth seeing, and in code where it
// follows a rule (gradient, mountain profile, bricks).
#include "DemoArt.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace demo {

namespace {

// A cold night with a little warmth in it.
const Palette& DemoPalette() {
    static const Palette palette = [] {
        std::vector<AssetLine> lines;
        for (const char* line :
             {". transparent", "w #ffffff", "i #d2e8ff", "b #8cb4e6", "m #5a78b4", "d #324682",
              "n #182040", "g #3c965a", "G #1e5f3c", "r #d7323c", "R #961e28", "y #fad746",
              "k #785032", "s #facdaa", "o #f08c32", "e #1e1e28"})
            lines.push_back({line, {"demo palette", int(lines.size()) + 1, 1}});
        Palette made;
        made.AddLines(lines);
        return made;
    }();
    return palette;
}

PixelImage Rows(std::initializer_list<const char*> rows) {
    std::vector<AssetLine> lines;
    for (const char* row : rows)
        lines.push_back({row, {"demo art", int(lines.size()) + 1, 1}});
    return ImageFromRows(lines, DemoPalette());
}

PixelImage Blank(int width, int height) {
    return {width, height, std::vector<Texel>(size_t(width) * size_t(height))};
}

void Paint(PixelImage& image, int x, int y, char key) {
    image.At(x, y) = *DemoPalette().Find(key);
}

PixelImage Ground() {
    return Rows({
        "dddddddndddddddd",
        "ddnddddddddddndd",
        "dddddnddddnddddd",
        "dddddddddddddddd",
        "ndddddddndddddnd",
        "ddddnddddddddddd",
        "dddddddddndddddd",
        "ddnddddddddddddn",
        "dddddddnddddnddd",
        "dddddddddddddddd",
        "dnddddnddddddndd",
        "dddddddddddddddd",
        "ddddddddndddnddd",
        "ndddnddddddddddd",
        "dddddddddddddddd",
        "ddddddnddddndddd",
    });
}

// The ground with snow lying on it.
PixelImage SnowTop() {
    PixelImage tile = Ground();
    const PixelImage snow = Rows({
        "wwwwwwwwwwwwwwww",
        "wwwwwwwwwwwwwwww",
        "iwwwwwiwwwwwwiww",
        "biwwwibiwwwwibiw",
        "mbiiibmbiiwibmbi",
        ".mbbbm.mbbibm.mb",
        "..mmm....mmm...m",
    });
    for (int y = 0; y < snow.height; ++y)
        for (int x = 0; x < snow.width; ++x)
            if (snow.At(x, y).a != 0) tile.At(x, y) = snow.At(x, y);
    return tile;
}

// Two courses of bricks, the upper one offset by half a brick.
PixelImage IceBricks() {
    PixelImage bricks = Blank(kTileSize, kTileSize);
    for (int y = 0; y < int(kTileSize); ++y)
        for (int x = 0; x < int(kTileSize); ++x) {
            const int row = y % 8, column = (x + (y < 8 ? 4 : 0)) % 8;
            char key = 'i';
            if (row == 7 || column == 7)
                key = 'm';
            else if (row == 0 || column == 0)
                key = 'w';
            else if (row == 6 || column == 6)
                key = 'b';
            Paint(bricks, x, y, key);
        }
    return bricks;
}

// Leans right, snow on its left side, a star on top: no two of its turns look alike.
PixelImage Pine() {
    return Rows({
        "......y.........",
        ".....yyy........",
        "......g.........",
        ".....wgg........",
        "....wwggg.......",
        "......ggg.......",
        ".....wggggG.....",
        "....wwgggggG....",
        "......gggggG....",
        ".....wgggggGG...",
        "...wwwggggggGG..",
        "..wwwgggggggGGG.",
        "......kkk.......",
        "......kkk.......",
        "......kkk.......",
        "....wwwwwwww....",
    });
}

PixelImage Spikes() {
    return Rows({
        "................",
        "................",
        "................",
        "................",
        "................",
        "...i.......i....",
        "...i...i...i....",
        "..iw...i..iw....",
        "..iw..iw..iw....",
        "..iwb.iwb.iwb...",
        ".iiwb.iwb.iwb...",
        ".iwwb.iwwbiwwb..",
        ".iwwbiiwwbiwwb..",
        "iiwwbiwwwbiwwwb.",
        "iwwwbiwwwbiwwwbb",
        "iwwwbiwwwbiwwwbb",
    });
}

} // namespace

PixelImage FlakeArt() {
    return Rows({"...i...", ".i.w.i.", "..www..", "iwwbwwi", "..www..", ".i.w.i.", "...i..."});
}

std::vector<PixelImage> WalkerArt() {
    const auto frame = [](const char* knees, const char* shins, const char* feet) {
        return Rows({".....y......", "....rrr.....", "...rrrrR....", "..wwwwwwww..", "...ssssss...",
                     "...ssesse...", "...ssssss...", "..oooooooo..", ".oobbbbbbb..", ".o.bbbbbbb..",
                     "..sbbbbbbs..", "...bbbbbb...", "...mmmmmm...", knees, shins, feet});
    };
    return {frame("...mm..mm...", "...mm..mm...", "..kkk..kkk.."),
            frame("..mm....mm..", ".mm......mm.", ".kk......kk.")};
}

PixelImage BallArt() {
    return Rows({"..iwwi..", ".iwwwwi.", "iwwwwwwb", "wwwwwwib", "iwwwwwib", "iwwwwibm", ".bwwibm.",
                 "..bbmm.."});
}

PixelImage SkyArt() {
    constexpr int kTop[] = {16, 20, 48}, kBottom[] = {110, 140, 200};
    constexpr int kHeight = 12;
    PixelImage sky = Blank(1, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const auto mix = [y](int top, int bottom) {
            return uint8_t(top + (bottom - top) * y / (kHeight - 1));
        };
        sky.At(0, y) = {mix(kTop[0], kBottom[0]), mix(kTop[1], kBottom[1]),
                        mix(kTop[2], kBottom[2]), 255};
    }
    return sky;
}

// Three peaks whose slopes wrap around the picture's edges, shaded on their right-hand side,
// with snow on the upper part.
PixelImage MountainArt() {
    struct Peak {
        int x, height;
    };
    constexpr Peak kPeaks[] = {{14, 76}, {50, 56}, {76, 66}};
    constexpr int kWidth = 96, kHeight = int(kMountainHeight);
    PixelImage mountains = Blank(kWidth, kHeight);
    for (int x = 0; x < kWidth; ++x) {
        int height = 0;
        bool shaded = false;
        for (const Peak& peak : kPeaks) {
            const int offset = ((x - peak.x) % kWidth + kWidth * 3 / 2) % kWidth - kWidth / 2;
            const int here = peak.height - std::abs(offset) * 3 / 2;
            if (here > height) {
                height = here;
                shaded = offset > 0;
            }
        }
        for (int y = kHeight - std::max(height, 8); y < kHeight; ++y) {
            char key = shaded ? 'd' : 'm';
            if (y < kHeight - height + 6 && height > 40) key = shaded ? 'b' : 'i';
            Paint(mountains, x, y, key);
        }
    }
    return mountains;
}

PixelImage SnowTileSetArt() {
    constexpr int kSize = int(kTileSize), kColumns = int(kTileColumns);
    PixelImage set = Blank(kColumns * kSize, int(kTileCount / kTileColumns) * kSize);
    const PixelImage tiles[] = {SnowTop(), Pine(), IceBricks(), Ground(), Spikes()};
    for (int tile = kTileSnowTop; tile <= int(kTileSpikes); ++tile)
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                set.At(tile % kColumns * kSize + x, tile / kColumns * kSize + y) =
                    tiles[tile - 1].At(x, y);
    return set;
}

} // namespace demo
