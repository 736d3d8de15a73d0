// Whole rooms drawn by the Draw stage on OpenGL without a display, compared with golden images:
// a room seen through two views with their own ports and cameras (a background, a tile map and
// instances in each, Draw End on top), and a tile map showing an asymmetric tile under every
// combination of mirror, flip and turn. A few pixels of each are also checked against the
// drawing rules, so that a picture rewritten without looking cannot hide a fault.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "Graphics/GraphicsContext.h"
#include "Platform/GlTestWindow.h"
#include "Platform/GoldenImage.h"
#include "Room/RoomFixture.h"

namespace {

using package::kTileFlip;
using package::kTileMirror;
using package::kTileRotate;

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kMagenta{255, 0, 255, 255};
constexpr Rgba kNavy{20, 30, 60, 255};
// Around the tile on its tile set, so that a tile cut one pixel off shows.
constexpr Rgba kPadding{240, 140, 40, 255};

Rgba PaletteColour(char key) {
    switch (key) {
    case 'r': return kRed;
    case 'g': return kGreen;
    case 'y': return kYellow;
    case 'b': return kBlue;
    case 'w': return kWhite;
    case 'o': return kPadding;
    default: return {};
    }
}

// The room colour as a room stores it: red in the low byte.
uint32_t RoomColour(const Rgba& colour) {
    return uint32_t(colour.r | colour.g << 8 | colour.b << 16);
}

// 16x16: red, green, yellow and blue corners clockwise from the top-left, and an F between.
const std::vector<std::string> kCornerTile = {
    "rrrr........gggg", "rrrr........gggg", "rrrr........gggg", "rrrr........gggg",
    "......wwwww.....", "......w.........", "......w.........", "......wwww......",
    "......w.........", "......w.........", "......w.........", "......w.........",
    "bbbb........yyyy", "bbbb........yyyy", "bbbb........yyyy", "bbbb........yyyy",
};
// 8x8 quarters: red, green / blue, yellow.
const std::vector<std::string> kQuarters = {
    "rrrrgggg", "rrrrgggg", "rrrrgggg", "rrrrgggg", "bbbbyyyy", "bbbbyyyy", "bbbbyyyy", "bbbbyyyy",
};

class RoomGolden : public RoomFixture {
protected:
    void TearDown() override {
        SetActiveGraphics(nullptr);
        drawing_.reset();
        RoomFixture::TearDown();
    }

    // A picture of palette characters on a texture page of its own; returns its entry.
    int32_t AddPicture(const std::vector<std::string>& rows) {
        PackageTexture texture;
        texture.encoding = TextureEncoding::Raw32;
        texture.width = uint32_t(rows[0].size());
        texture.height = uint32_t(rows.size());
        for (const std::string& row : rows)
            for (char key : row) {
                const Rgba colour = PaletteColour(key);
                texture.pixels.insert(texture.pixels.end(), {uint8_t(colour.r), uint8_t(colour.g),
                                                             uint8_t(colour.b), uint8_t(colour.a)});
            }
        package_.textures.emplace_back(texture);
        const auto w = uint16_t(texture.width), h = uint16_t(texture.height);
        package_.texture_page_entries.push_back(
            {0, 0, w, h, 0, 0, w, h, w, h, int16_t(package_.textures.size() - 1)});
        return int32_t(package_.texture_page_entries.size() - 1);
    }

    int32_t AddPictureSprite(const std::string& name, const std::vector<std::string>& rows,
                             int32_t origin) {
        const int32_t entry = AddPicture(rows);
        // Its mask: solid wherever the picture is.
        std::vector<std::string> solid = rows;
        for (std::string& row : solid)
            for (char& key : row)
                key = key == '.' ? '.' : '#';
        const int32_t sprite = AddSprite(name, solid, origin, origin);
        package_.sprites[size_t(sprite)]->frames = {entry};
        return sprite;
    }

    // The corner tile as tile 3 of a tile set two tiles across, each tile framed by a one-pixel
    // border; everything else on the set is padding.
    int32_t AddCornerTileSet() {
        std::vector<std::string> rows(36, std::string(36, 'o'));
        for (size_t y = 0; y < 16; ++y)
            rows[19 + y].replace(19, 16, kCornerTile[y]);
        PackageBackground tile_set;
        tile_set.name = Text("tsCorners");
        tile_set.texture_page = AddPicture(rows);
        tile_set.tile_width = tile_set.tile_height = 16;
        tile_set.border_x = tile_set.border_y = 1;
        tile_set.columns = 2;
        tile_set.tile_count = 4;
        tile_set.frames = {0, 1, 2, 3};
        package_.backgrounds.emplace_back(tile_set);
        return int32_t(package_.backgrounds.size() - 1);
    }

    // Starts the game and draws its first frame into a window of the game's size, read back.
    RgbaImage DrawFirstFrame() {
        const int width = int(package_.header.window_width);
        const int height = int(package_.header.window_height);
        Start();
        std::string error;
        if (!gl_window_.Open(width, height, error)) {
            ADD_FAILURE() << error;
            return {};
        }
        drawing_ = std::make_unique<GraphicsContext>(gl_window_.Device(), width, height);
        drawing_->LoadPackage(loader_.Package());
        SetActiveGraphics(drawing_.get());
        gl_window_.Device().BeginFrame();
        Frames(1);
        return {width, height, gl_window_.Device().ReadPixels(0, 0, width, height)};
    }

    GlTestWindow gl_window_;
    std::unique_ptr<GraphicsContext> drawing_;
};

::testing::AssertionResult PixelIs(const RgbaImage& image, int x, int y, const Rgba& colour) {
    const Rgba drawn = PixelAt(image.pixels, image.width, x, y);
    if (Near(drawn, colour)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at (" << x << ", " << y << "): " << drawn << " instead of " << colour;
}

double BuiltinGlobal(const char* name, int32_t index = ARRAY_INDEX_NONE) {
    ScopedRValue value;
    GetVariableDirect(GlobalObject(), FindBuiltinVariable(name), index, value);
    return ToReal(value);
}

void DrawABar(CInstance* self, CInstance*) {
    CallNamed(self, "draw_rectangle_color", 20, 38, 27, 41, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
              0);
}

// A 2x2 magenta mark at the top-left corner of the view being drawn.
void MarkTheViewsCorner(CInstance* self, CInstance*) {
    const double camera = BuiltinGlobal("view_camera", int32_t(BuiltinGlobal("view_current")));
    const double x = CallNamed(self, "camera_get_view_x", camera);
    const double y = CallNamed(self, "camera_get_view_y", camera);
    CallNamed(self, "draw_rectangle_color", x, y, x + 1, y + 1, 0xFF00FF, 0xFF00FF, 0xFF00FF,
              0xFF00FF, 0);
}

// A 96x64 room with a dot every 8 pixels as its tiled background, the corner tile at cell
// (2, 2) and mirrored at (3, 2), sQuarters at (12, 12), sQuarters doubled and turned 90 degrees
// at (52, 24), and a painter at (24, 40) whose Draw draws a white bar instead of its sprite and
// whose Draw End marks each view's corner. View 0 shows (0, 0)-(48, 48) in the left half of the
// 96x48 window; view 1 shows (40, 16)-(64, 40) doubled in the right half.
TEST_F(RoomGolden, TwoViewsWithTheirOwnPortsAndCameras) {
    package_.header.window_width = 96;
    package_.header.window_height = 48;
    const int32_t quarters = AddPictureSprite("sQuarters", kQuarters, 4);
    const int32_t dot = AddPictureSprite("sDot",
                                         {"w.......", "........", "........", "........",
                                          "........", "........", "........", "........"},
                                         0);
    const int32_t tile_set = AddCornerTileSet();
    const int32_t box = AddObject("oBox", -1, false, 0, quarters);
    const int32_t painter = AddObject("oPainter", -1, false, 0, quarters);
    AddEvent(painter, ev_draw, ev_draw_normal, DrawABar);
    AddEvent(painter, ev_draw, ev_draw_end, MarkTheViewsCorner);
    const int32_t room = AddRoom("rmViews");
    PackageRoom& record = *package_.rooms[size_t(room)];
    record.width = 96;
    record.height = 64;
    record.colour = RoomColour(kNavy);
    record.views_enabled = true;
    record.views = {{1, 0, 0, 48, 48, 0, 0, 48, 48, 32, 32, -1, -1, -1},
                    {1, 40, 16, 24, 24, 48, 0, 48, 48, 32, 32, -1, -1, -1}};
    AddLayer(room, 1, package::kLayerBackground, 100).background = {1, 0,          dot, 1, 1,
                                                                    0, 0xFFFFFFFF, 0,   0, 0};
    std::vector<uint32_t> cells(6 * 4, 0);
    cells[2 * 6 + 2] = 3;
    cells[2 * 6 + 3] = 3 | kTileMirror;
    AddLayer(room, 2, package::kLayerTiles, 50).tile_map = {tile_set, 6, 4, cells};
    AddInstance(room, box, 12, 12);
    AddInstance(room, box, 52, 24);
    package::RoomInstanceRecord& turned = record.instances.back();
    turned.scale_x = turned.scale_y = 2;
    turned.rotation = 90;
    AddInstance(room, painter, 24, 40);

    const RgbaImage image = DrawFirstFrame();
    ASSERT_FALSE(image.pixels.empty());
    // View 0, one to one: the dots, sQuarters, the tile, the bar without the sprite under it,
    // and the mark on top of the dot at the view's corner.
    EXPECT_TRUE(PixelIs(image, 8, 0, kWhite));
    EXPECT_TRUE(PixelIs(image, 9, 1, kNavy));
    EXPECT_TRUE(PixelIs(image, 8, 8, kRed));
    EXPECT_TRUE(PixelIs(image, 15, 15, kYellow));
    EXPECT_TRUE(PixelIs(image, 33, 33, kRed));
    EXPECT_TRUE(PixelIs(image, 46, 33, kGreen));
    EXPECT_TRUE(PixelIs(image, 20, 38, kWhite));
    EXPECT_TRUE(PixelIs(image, 27, 41, kWhite));
    EXPECT_TRUE(PixelIs(image, 21, 43, kNavy));
    EXPECT_TRUE(PixelIs(image, 0, 0, kMagenta));
    EXPECT_TRUE(PixelIs(image, 2, 2, kNavy));
    // View 1, doubled from (40, 16): its own mark, a dot, the turned sQuarters (its right edge
    // up), and the two tiles' top rows, the second mirrored.
    EXPECT_TRUE(PixelIs(image, 48, 0, kMagenta));
    EXPECT_TRUE(PixelIs(image, 51, 3, kMagenta));
    EXPECT_TRUE(PixelIs(image, 48, 16, kWhite));
    EXPECT_TRUE(PixelIs(image, 49, 17, kWhite));
    EXPECT_TRUE(PixelIs(image, 50, 18, kNavy));
    EXPECT_TRUE(PixelIs(image, 57, 1, kGreen));
    EXPECT_TRUE(PixelIs(image, 86, 1, kYellow));
    EXPECT_TRUE(PixelIs(image, 86, 30, kBlue));
    EXPECT_TRUE(PixelIs(image, 57, 30, kRed));
    EXPECT_TRUE(PixelIs(image, 60, 34, kGreen));
    EXPECT_TRUE(PixelIs(image, 65, 33, kGreen));
    EXPECT_TRUE(PixelIs(image, 94, 33, kRed));
    EXPECT_TRUE(MatchesGoldenImage(image, "Run/golden/room_two_views.png"));
}

// Where the corner at (x, y) (each -1 or 1, from the tile's centre) lands under the cell's
// flags: mirrored across, flipped down, then turned a quarter clockwise.
std::pair<int, int> Turned(int x, int y, uint32_t flags) {
    if (flags & kTileMirror) x = -x;
    if (flags & kTileFlip) y = -y;
    if (flags & kTileRotate) return {-y, x};
    return {x, y};
}

// The corner tile in a 7x3 map of 16-pixel cells: plain, mirrored, flipped and both along the
// top row, the same turned along the bottom, a cell apart; the cell between the rows holds
// every flag and tile 0.
TEST_F(RoomGolden, EveryFlagCombinationOfATile) {
    package_.header.window_width = 112;
    package_.header.window_height = 48;
    const int32_t tile_set = AddCornerTileSet();
    const int32_t room = AddRoom("rmFlags");
    PackageRoom& record = *package_.rooms[size_t(room)];
    record.width = 112;
    record.height = 48;
    record.colour = RoomColour(kNavy);
    const uint32_t flags[] = {0,
                              kTileMirror,
                              kTileFlip,
                              kTileMirror | kTileFlip,
                              kTileRotate,
                              kTileMirror | kTileRotate,
                              kTileFlip | kTileRotate,
                              kTileMirror | kTileFlip | kTileRotate};
    std::vector<uint32_t> cells(7 * 3, 0);
    for (size_t i = 0; i < 8; ++i)
        cells[(i / 4) * 2 * 7 + (i % 4) * 2] = 3 | flags[i];
    cells[7 + 3] = kTileMirror | kTileFlip | kTileRotate;
    AddLayer(room, 1, package::kLayerTiles, 0).tile_map = {tile_set, 7, 3, cells};

    const RgbaImage image = DrawFirstFrame();
    ASSERT_FALSE(image.pixels.empty());
    const struct {
        int x, y;
        Rgba colour;
    } corners[] = {{-1, -1, kRed}, {1, -1, kGreen}, {1, 1, kYellow}, {-1, 1, kBlue}};
    for (size_t i = 0; i < 8; ++i) {
        const int left = int(i % 4) * 32, top = int(i / 4) * 32;
        for (const auto& corner : corners) {
            const auto [x, y] = Turned(corner.x, corner.y, flags[i]);
            EXPECT_TRUE(
                PixelIs(image, left + (x < 0 ? 1 : 14), top + (y < 0 ? 1 : 14), corner.colour))
                << "flags " << std::hex << flags[i];
        }
    }
    // Nothing of the padding around the tile, and nothing in the flag-only cell.
    EXPECT_TRUE(PixelIs(image, 0, 0, kRed));
    EXPECT_TRUE(PixelIs(image, 15, 15, kYellow));
    EXPECT_TRUE(PixelIs(image, 56, 24, kNavy));
    EXPECT_TRUE(PixelIs(image, 16, 16, kNavy));
    EXPECT_TRUE(MatchesGoldenImage(image, "Run/golden/tile_flags.png"));
}

} // namespace
