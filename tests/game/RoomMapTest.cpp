// room_map, the level writers' tool, run as they run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "Graphics/PngImage.h"
#include "Runner/ProcessRun.h"
#include "TempFolder.h"

namespace {

const std::string kTool = std::filesystem::path(SNOWTIDE_PACKAGE).parent_path().string() + "/room_map";

TEST(RoomMapTest, TheTestRoomsScreensSideBySideWithTheRuleBetween) {
    TempFolder folder;
    const std::string path = folder.Path() + "rmTemplate.png";
    const ProcessRun run = Execute("SDL_VIDEODRIVER=offscreen " + kTool + " rmTemplate " + path);
    ASSERT_EQ(run.exit_code, 0) << run.output;
    RgbaImage map;
    std::string error;
    ASSERT_TRUE(ReadPng(path, map, error)) << error;
    ASSERT_EQ(map.width, 2 * 320 + 2);
    ASSERT_EQ(map.height, 180);
    const auto pixel = [&](int x, int y) {
        const uint8_t* p = &map.pixels[(size_t(y) * size_t(map.width) + size_t(x)) * 4];
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    };
    for (int y = 0; y < map.height; ++y) {
        EXPECT_EQ(pixel(320, y), 0xFF00FFu) << y;
        EXPECT_EQ(pixel(321, y), 0xFF00FFu) << y;
    }
    // Each screen holds sky, snow and the sprites on it, not one flat colour.
    for (int left : {0, 322}) {
        std::set<uint32_t> colours;
        for (int y = 0; y < map.height; ++y)
            for (int x = left; x < left + 320; ++x) colours.insert(pixel(x, y));
        EXPECT_GT(colours.size(), 8u) << left;
    }

    const ProcessRun wrong = Execute("SDL_VIDEODRIVER=offscreen " + kTool + " rmNowhere " + path + " 2>&1");
    EXPECT_EQ(wrong.exit_code, 1);
    EXPECT_NE(wrong.output.find("room_map: no room is named rmNowhere"), std::string::npos) << wrong.output;
}

} // namespace
