// The demo as people run it: the executable finds the package built beside it and plays it
// windowless without one error, and a package named with -game wins. The package holds what the
// linked game expects, and cannot be built for a game without a handler its objects name.
#include <filesystem>
#include <gtest/gtest.h>

#include "DemoGame.h"
#include "DemoPackage.h"
#include "Graphics/PngImage.h"
#include "Package/PackageLoader.h"
#include "Runner/ProcessRun.h"

namespace {

const std::string kBin = RUNNER_BIN_DIR;
const std::string kWork = std::string(TEST_BINARY_DIR) + "/demo_test";

TEST(Demo, PlaysThePackageBesideItWithoutErrors) {
    std::filesystem::create_directories(kWork);
    const std::string errors = kWork + "/errors.txt";
    std::filesystem::remove(errors);
    const ProcessRun run = Execute(kBin + "/demo -nowindow -frames 60 -output " + errors);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("Entering main loop."), std::string::npos) << run.output;
    EXPECT_EQ(ReadText(errors), "");

    const ProcessRun elsewhere = Execute(kBin + "/demo -nowindow -game " + kWork + "/none.win");
    EXPECT_EQ(elsewhere.exit_code, 1);
    EXPECT_NE(elsewhere.output.find("Unable to find game!!: " + kWork + "/none.win"),
              std::string::npos)
        << elsewhere.output;
}

// A screenshot is the window's last frame at its size; without a window there is none to take.
TEST(Demo, TakesAScreenshotOfItsLastFrame) {
    std::filesystem::create_directories(kWork);
    const std::string picture = kWork + "/last.png";
    std::filesystem::remove(picture);
    // Mesa's software driver keeps allocations it never frees (see GlTestWindow.h): a sanitizer
    // build's leak check would fail the run for them.
    const ProcessRun shown = Execute("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" SDL_VIDEODRIVER=offscreen " + kBin +
                                     "/demo -noaudio -frames 30 -screenshot " + picture);
    ASSERT_EQ(shown.exit_code, 0) << shown.output;
    RgbaImage image;
    std::string error;
    ASSERT_TRUE(ReadPng(picture, image, error)) << error;
    EXPECT_EQ(image.width, 320);
    EXPECT_EQ(image.height, 180);
    // The snow on the ground is far lighter than the night sky above it: a picture of the room,
    // the right way up.
    const auto brightness = [&](int top, int bottom) {
        double sum = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < image.width; ++x)
                for (int channel = 0; channel < 3; ++channel) sum += image.pixels[size_t((y * image.width + x) * 4 + channel)];
        return sum / ((bottom - top) * image.width * 3);
    };
    EXPECT_GT(brightness(140, 150), brightness(0, 20) + 60);

    const ProcessRun windowless = Execute(kBin + "/demo -nowindow -frames 5 -screenshot " + picture + ".none");
    EXPECT_NE(windowless.output.find("-screenshot: no picture was shown"), std::string::npos) << windowless.output;
    EXPECT_FALSE(std::filesystem::exists(picture + ".none"));
}

TEST(Demo, ThePackageMatchesTheGameAndNeedsEveryHandler) {
    GamePackage package;
    BuildDemoPackage(DemoGameLink(), package);
    const PackageStatus matched = MatchCodeTable(package, DemoGameLink());
    EXPECT_TRUE(matched) << matched.error;
    // Tiles are cut from the tile set's picture as a whole: it must not lose its edges.
    const package::TexturePageEntry& tiles =
        package.texture_page_entries[size_t(package.backgrounds.at(0)->texture_page)];
    EXPECT_EQ(tiles.target_x, 0);
    EXPECT_EQ(tiles.target_y, 0);
    EXPECT_EQ(tiles.source_width, tiles.frame_width);
    EXPECT_EQ(tiles.source_height, tiles.frame_height);

    GameLink lacking = DemoGameLink();
    lacking.code_count -= 1;
    GamePackage refused;
    EXPECT_THROW(BuildDemoPackage(lacking, refused), std::runtime_error);
}

} // namespace
