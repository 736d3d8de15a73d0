// Comparing golden images, and writing them when asked to.
#include "GoldenImage.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

std::string CompareImages(const RgbaImage& expected, const RgbaImage& actual) {
    std::ostringstream out;
    if (expected.width != actual.width || expected.height != actual.height ||
        expected.pixels.size() != actual.pixels.size()) {
        out << "the image is " << actual.width << "x" << actual.height << ", not " << expected.width
            << "x" << expected.height;
        return out.str();
    }
    size_t differing = 0, first = 0;
    for (size_t pixel = 0; pixel * 4 < actual.pixels.size(); ++pixel)
        for (size_t channel = pixel * 4; channel < pixel * 4 + 4; ++channel)
            if (std::abs(expected.pixels[channel] - actual.pixels[channel]) > 1) {
                if (differing++ == 0) first = pixel;
                break;
            }
    if (differing == 0) return {};
    auto colour = [first](const RgbaImage& image) {
        std::ostringstream text;
        const uint8_t* at = &image.pixels[first * 4];
        text << '(' << int{at[0]} << ", " << int{at[1]} << ", " << int{at[2]} << ", " << int{at[3]}
             << ')';
        return text.str();
    };
    const size_t width = static_cast<size_t>(actual.width);
    out << differing << " pixels differ; the first at (" << first % width << ", " << first / width
        << ") is " << colour(actual) << ", not " << colour(expected);
    return out.str();
}

::testing::AssertionResult MatchesGoldenImage(const RgbaImage& actual, const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(TEST_SOURCE_DIR) / name;
    std::string error;
    const char* update = std::getenv("RUNNER_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        if (!WritePng(path.string(), actual, error)) return ::testing::AssertionFailure() << error;
        return ::testing::AssertionSuccess() << "wrote " << path.string();
    }
    RgbaImage expected;
    if (!ReadPng(path.string(), expected, error))
        return ::testing::AssertionFailure()
               << error << " (RUNNER_UPDATE_GOLDEN=1 writes it from this run)";
    std::string difference = CompareImages(expected, actual);
    if (!difference.empty()) return ::testing::AssertionFailure() << name << ": " << difference;
    return ::testing::AssertionSuccess();
}
