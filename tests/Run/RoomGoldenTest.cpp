// Whole rooms drawn by the Draw stage on OpenGL without a display, against golden images and
// the pixels listed beside them.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Graphics/GlScene.h"
#include "Graphics/GoldenPixels.h"
#include "Room/RoomFixture.h"
#include "Run/DrawStage.h"

namespace {

TEST(GlLetterbox, TheRoomLandsAtAWholeScaleBetweenBlackBars) {
    GlTestWindow window;
    std::string error;
    ASSERT_TRUE(window.Open(100, 70, error)) << error;
    GraphicsDevice& device = window.Device();
    device.BeginFrame();
    GraphicsContext graphics(device, 32, 18);
    graphics.BeginFrame();
    CRoom room;
    room.width = 32;
    room.height = 18;
    room.colour = 0x0000FF; // red
    DrawStage stage;
    stage.Run(graphics, room);
    graphics.Flush();

    // 3x: 96x54 at (2, 8).
    const RgbaImage image{100, 70, device.ReadPixels(0, 0, 100, 70)};
    const struct {
        int x, y;
        Rgba colour;
    } pixels[] = {{1, 30, kBlack}, {2, 30, kRed}, {97, 30, kRed}, {98, 30, kBlack},
                  {50, 7, kBlack}, {50, 8, kRed}, {50, 61, kRed}, {50, 62, kBlack}};
    for (const auto& pixel : pixels)
        EXPECT_TRUE(PixelIs(image, pixel.x, pixel.y, pixel.colour, 0));
}

using package::kTileFlip;
using package::kTileMirror;
using package::kTileRotate;

// Around the tile on its tile set, so that a tile cut one pixel off shows.
constexpr Rgba kPadding{240, 140, 40, 255};

class RoomGolden : public RoomFixture {
protected:
    int32_t AddPicture(const std::vector<std::string>& rows) {
        return AddPage(uint16_t(rows[0].size()), uint16_t(rows.size()), KeyPixels(rows, kPadding));
    }

    // A sprite of the picture in a data file, solid wherever the picture is.
    int32_t AddPictureSprite(const std::string& name, const std::string& file, int32_t origin) {
        std::vector<std::string> rows = DataLines(file);
        const int32_t entry = AddPicture(rows);
        for (std::string& row : rows)
            for (char& key : row)
                key = key == '.' ? '.' : '#';
        const int32_t sprite = AddSprite(name, rows, origin, origin);
        package_.sprites[size_t(sprite)]->frames = {entry};
        return sprite;
    }

    // The corner tile as tile 3 of a tile set two tiles across, each tile framed by a one-pixel
    // border; everything else on the set is padding.
    int32_t AddCornerTileSet() {
        const std::vector<std::string> tile = DataLines("Run/data/corner_tile.txt");
        std::vector<std::string> rows(36, std::string(36, 'p'));
        for (size_t y = 0; y < 16; ++y)
            rows[19 + y].replace(19, 16, tile[y]);
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

    int32_t AddNavyRoom(const std::string& name, uint32_t width, uint32_t height) {
        package_.header.window_width = width;
        package_.header.window_height = height;
        const int32_t room = AddRoom(name);
        package_.rooms[size_t(room)]->width = width;
        package_.rooms[size_t(room)]->height = height;
        package_.rooms[size_t(room)]->colour = ColourOf(kNavy);
        return room;
    }

    RgbaImage DrawFirstFrame() {
        Start();
        const int width = int(package_.header.window_width);
        const int height = int(package_.header.window_height);
        EXPECT_TRUE(scene_.Open(width, height, loader_.Package()));
        RunFrames(1);
        return scene_.Picture();
    }

    GlScene scene_;
};

void DrawABar(CInstance* self, CInstance*) {
    CallNamed(self, "draw_rectangle_color", 20, 38, 27, 41, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
              0);
}

// A 2x2 magenta mark at the top-left corner of the view being drawn.
void MarkTheViewsCorner(CInstance* self, CInstance*) {
    const double view = GetBuiltin(GlobalObject(), "view_current");
    const double camera = GetBuiltin(GlobalObject(), "view_camera", int32_t(view));
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
    const int32_t quarters = AddPictureSprite("sQuarters", "Run/data/quarters.txt", 4);
    const int32_t dot = AddPictureSprite("sDot", "Run/data/dot.txt", 0);
    const int32_t tile_set = AddCornerTileSet();
    const int32_t box = AddObject("oBox", -1, false, 0, quarters);
    const int32_t painter = AddObject("oPainter", -1, false, 0, quarters);
    AddEvent(painter, ev_draw, ev_draw_normal, DrawABar);
    AddEvent(painter, ev_draw, ev_draw_end, MarkTheViewsCorner);
    const int32_t room = AddNavyRoom("rmViews", 96, 48);
    PackageRoom& record = *package_.rooms[size_t(room)];
    record.height = 64;
    record.views_enabled = true;
    record.views = {{1, 0, 0, 48, 48, 0, 0, 48, 48, 32, 32, -1, -1, -1},
                    {1, 40, 16, 24, 24, 48, 0, 48, 48, 32, 32, -1, -1, -1}};
    AddLayer(room, 1, package::kLayerBackground, 100).background = {1, 0, dot, 1, 1,
                                                                    0, 0xFFFFFFFF, 0, 0, 0};
    std::vector<uint32_t> cells(6 * 4, 0);
    cells[2 * 6 + 2] = 3;
    cells[2 * 6 + 3] = 3 | kTileMirror;
    AddLayer(room, 2, package::kLayerTiles, 50).tile_map = {tile_set, 6, 4, cells};
    AddInstance(room, box, 12, 12);
    AddInstance(room, box, 52, 24);
    record.instances.back().scale_x = record.instances.back().scale_y = 2;
    record.instances.back().rotation = 90;
    AddInstance(room, painter, 24, 40);

    const RgbaImage image = DrawFirstFrame();
    ASSERT_FALSE(image.pixels.empty());
    ExpectGolden(image, "Run/golden/room_two_views");
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
    const int32_t tile_set = AddCornerTileSet();
    const int32_t room = AddNavyRoom("rmFlags", 112, 48);
    std::vector<uint32_t> cells(7 * 3, 0);
    // The flag bits (mirror, flip, turn) are the top three but one: i << 28 counts through them.
    for (uint32_t i = 0; i < 8; ++i)
        cells[(i / 4) * 2 * 7 + (i % 4) * 2] = 3 | i << 28;
    cells[7 + 3] = kTileMirror | kTileFlip | kTileRotate;
    AddLayer(room, 1, package::kLayerTiles, 0).tile_map = {tile_set, 7, 3, cells};

    const RgbaImage image = DrawFirstFrame();
    ASSERT_FALSE(image.pixels.empty());
    const struct {
        int x, y;
        Rgba colour;
    } corners[] = {{-1, -1, kRed}, {1, -1, kGreen}, {1, 1, kYellow}, {-1, 1, kBlue}};
    for (uint32_t i = 0; i < 8; ++i) {
        const int left = int(i % 4) * 32, top = int(i / 4) * 32;
        for (const auto& corner : corners) {
            const auto [x, y] = Turned(corner.x, corner.y, i << 28);
            EXPECT_TRUE(
                PixelIs(image, left + (x < 0 ? 1 : 14), top + (y < 0 ? 1 : 14), corner.colour))
                << "flags " << std::hex << (i << 28);
        }
    }
    ExpectGolden(image, "Run/golden/tile_flags");
}

} // namespace
