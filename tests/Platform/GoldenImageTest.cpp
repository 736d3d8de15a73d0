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
    const std::string folder = std::string(TEST_BINARY_DIR) + "/golden_image/";
    std::filesystem::create_directories(folder);
    const RgbaImage written = Gradient(5, 3);
    RgbaImage read;
    std::string error;
    ASSERT_TRUE(WritePng(folder + "gradient.png", written, error)) << error;
    ASSERT_TRUE(ReadPng(folder + "gradient.png", read, error)) << error;
    EXPECT_EQ(std::pair(read.width, read.height), std::pair(5, 3));
    EXPECT_EQ(read.pixels, written.pixels);
    EXPECT_FALSE(ReadPng(folder + "missing.png", read, error));
    EXPECT_NE(error.find("missing.png"), std::string::npos);
    EXPECT_FALSE(WritePng(folder + "gradient.png", RgbaImage{2, 2, {0, 0, 0, 0}}, error));

    // One step per channel is let by; beyond it the first pixel is named, or the sizes.
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
