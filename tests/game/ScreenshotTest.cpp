// F12: a PNG of what the window shows, in the save folder's "screenshots" folder.
#include <algorithm>

#include "GlGameFixture.h"
#include "Graphics/PngImage.h"

namespace {

class ScreenshotTest : public GlGameFixture {
protected:
    void PressF12() {
        window_.PostKey(vk_f12, true);
        RunFrames(1);
        window_.PostKey(vk_f12, false);
        RunFrames(1); // captured and queued
    }
    // The screenshots' paths in name order, which is the order they were taken in.
    std::vector<std::string> Shots() const {
        Saves().Drain();
        std::vector<std::string> shots;
        std::error_code missing;
        for (const auto& file : std::filesystem::directory_iterator(save_.Path() + "screenshots", missing))
            shots.push_back(file.path().string());
        std::sort(shots.begin(), shots.end());
        return shots;
    }
    size_t DebugLines(const std::string& start) const {
        size_t count = 0;
        for (size_t at = debug_output_.find(start); at != std::string::npos; at = debug_output_.find(start, at + 1))
            ++count;
        return count;
    }
};

TEST_F(ScreenshotTest, EachPressSavesTheWindowsPictureUnderANewNameAndTheGameNeverSeesF12) {
    RunFrames(10);
    PressF12();
    PressF12();
    const std::vector<std::string> shots = Shots();
    ASSERT_EQ(shots.size(), 2u);
    RgbaImage last;
    std::string error;
    ASSERT_TRUE(ReadPng(shots[1], last, error)) << error;
    const RgbaImage& shown = loop_->CapturedFrame();
    EXPECT_EQ((std::array{last.width, last.height}), (std::array{320, 180}));
    EXPECT_TRUE(last.pixels == shown.pixels);
    EXPECT_NE(std::count(last.pixels.begin(), last.pixels.end(), last.pixels[0]), std::ssize(last.pixels));
    for (const std::string& shot : shots) EXPECT_EQ(DebugLines("Screenshot saved: " + shot + "\n"), 1u) << debug_output_;
    EXPECT_EQ(RunnerInput().keyboard.Current().last_key, 0);

    // Where the folder cannot be made, one line says so and play goes on.
    std::filesystem::remove_all(save_.Path() + "screenshots");
    WriteSaveFile("screenshots", "");
    const int32_t frames = Runner().frames_drawn;
    PressF12();
    RunFrames(1);
    Saves().Drain();
    EXPECT_EQ(DebugLines("ERROR!!! :: Failed to save file: " + save_.Path() + "screenshots/"), 1u) << debug_output_;
    EXPECT_EQ(DebugLines("Screenshot saved"), 2u);
    EXPECT_TRUE(Runner().running);
    EXPECT_EQ(Runner().frames_drawn, frames + 3);
}

class NullScreenshotTest : public GameFixture {};

TEST_F(NullScreenshotTest, WithoutAPictureNothingIsWritten) {
    Start();
    window_.PostKey(vk_f12, true);
    RunFrames(3);
    Saves().Drain();
    EXPECT_FALSE(std::filesystem::exists(save_.Path() + "screenshots"));
    EXPECT_EQ(debug_output_.find("Screenshot"), std::string::npos);
}

} // namespace
