// The golden image helper: PNG files written and read back, and which differences it lets by.
#include "GoldenImage.h"

#include <filesystem>

namespace {

RgbaImage Gradient(int width, int height) {
    RgbaImage image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.insert(image.pixels.end(),
                                {uint8_t(x * 40), uint8_t(y * 60), 128, uint8_t(255 - x)});
    return image;
}

TEST(GoldenImage, WritesAndReadsBackEveryPixelAndComparesWithinOneStep) {
    const std::filesystem::path folder = std::filesystem::path(TEST_BINARY_DIR) / "golden_image";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "gradient.png").string();
    const RgbaImage written = Gradient(5, 3);
    std::string error;
    ASSERT_TRUE(WritePng(path, written, error)) << error;

    RgbaImage read;
    ASSERT_TRUE(ReadPng(path, read, error)) << error;
    EXPECT_EQ(read.width, 5);
    EXPECT_EQ(read.height, 3);
    EXPECT_EQ(read.pixels, written.pixels);

    EXPECT_FALSE(ReadPng((folder / "missing.png").string(), read, error));
    EXPECT_NE(error.find("missing.png"), std::string::npos);
    EXPECT_FALSE(WritePng(path, RgbaImage{2, 2, {0, 0, 0, 0}}, error));

    // Comparing allows one step per channel and names the first pixel beyond, or the sizes.
    const RgbaImage expected = Gradient(4, 4);
    RgbaImage actual = expected;
    for (uint8_t& channel : actual.pixels)
        channel = channel == 255 ? 254 : channel + 1;
    EXPECT_EQ(CompareImages(expected, actual), "");

    actual = expected;
    actual.pixels[(2 * 4 + 3) * 4 + 3] -= 2; // alpha of (3, 2)
    actual.pixels[(3 * 4 + 0) * 4 + 0] += 5;
    EXPECT_EQ(
        CompareImages(expected, actual),
        "2 pixels differ; the first at (3, 2) is (120, 120, 128, 250), not (120, 120, 128, 252)");
    EXPECT_EQ(CompareImages(Gradient(4, 2), Gradient(2, 4)), "the image is 2x4, not 4x2");
}

} // namespace
