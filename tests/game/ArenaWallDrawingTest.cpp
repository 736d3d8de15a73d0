// An arena wall draws a whole tsBoss slab in each of its cells, in place, and nothing beyond them:
// compared, on OpenGL without a display, with the four slabs drawn by a plain tile map.
#include <array>
#include <set>

#include "GlGameFixture.h"

namespace {

class ArenaWallDrawing : public GlGameFixture {
protected:
    void SetUp() override {
        GlGameFixture::SetUp();
        RunFrames(1);
    }
};

TEST_F(ArenaWallDrawing, EachCellShowsAWholeSlabOfTheArenaTileSet) {
    constexpr std::array<double, 4> kSlabs = {5, 6, 9, 10};
    constexpr int kRows = 6, kWallX = 32, kWallY = 16, kSlabsX = 160;
    CInstance* wall = Place(oBossBlock, kWallX, kWallY, 1, kRows);
    const Value layer = Builtin("layer_create", Value(0));
    const Value slabs = Builtin("layer_tilemap_create", layer, Value(0), Value(0), Value(tsBoss), Value(4), Value(1));
    for (int i = 0; i < 4; ++i)
        Builtin("tilemap_set", slabs, Value(kSlabs[i]), Value(i), Value(0));

    gl_.Device().BeginFrame();
    graphics_->BeginFrame();
    Builtin("draw_clear_alpha", Value(0), Value(1));
    Builtin("draw_tilemap", slabs, Value(kSlabsX), Value(kWallY));
    psl_Object_oBossBlock_Draw_0(wall, wall);
    graphics_->Flush();
    const std::vector<uint8_t> pixels = gl_.Device().ReadPixels(0, 0, 320, 180);
    const auto cell = [&](int left, int top) {
        std::vector<Rgba> block;
        for (int y = top; y < top + 16; ++y)
            for (int x = left; x < left + 16; ++x)
                block.push_back(PixelAt(pixels, 320, x, y));
        return block;
    };
    std::array<std::vector<Rgba>, 4> slab;
    for (int i = 0; i < 4; ++i)
        slab[i] = cell(kSlabsX + 16 * i, kWallY);
    for (int i = 1; i < 4; ++i)
        ASSERT_NE(slab[i], slab[i - 1]); // else a mix-up would pass

    std::set<int> shown;
    for (int row = 0; row < kRows; ++row) {
        const std::vector<Rgba> drawn = cell(kWallX, kWallY + 16 * row);
        int found = -1;
        for (int i = 0; i < 4; ++i)
            if (drawn == slab[i]) found = i;
        EXPECT_NE(found, -1) << "row " << row << " is no slab";
        shown.insert(found);
    }
    EXPECT_GT(shown.size(), 1u); // the slabs vary down the wall
    // The ring of pixels around the wall's box stays clear.
    for (int y = kWallY - 1; y <= kWallY + 16 * kRows; ++y)
        for (int x = kWallX - 1; x <= kWallX + 16; ++x) {
            const bool ring = y == kWallY - 1 || y == kWallY + 16 * kRows || x == kWallX - 1 || x == kWallX + 16;
            if (ring) {
                EXPECT_EQ(PixelAt(pixels, 320, x, y), (Rgba{0, 0, 0, 255})) << x << ", " << y;
            }
        }
}

} // namespace
