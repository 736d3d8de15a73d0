// Golden images: a test's pixels compared with a PNG kept beside it, one step per channel
// allowed. With RUNNER_UPDATE_GOLDEN=1 in the environment the check writes the PNG instead.
#pragma once

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Graphics/PngImage.h"

// Empty when the sizes agree and no channel differs by more than one; else what differs.
std::string CompareImages(const RgbaImage& expected, const RgbaImage& actual);

// Compares with the PNG at `name`, relative to the tests folder (for instance
// "Platform/golden/target_scene.png"), or writes it there when updating.
::testing::AssertionResult MatchesGoldenImage(const RgbaImage& actual, const std::string& name);
