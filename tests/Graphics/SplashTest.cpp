// The start-up splash: "splash.png" from the game's folder shown for five frames, and nothing
// at all without a readable PNG.
#include "Graphics/Splash.h"

#include "Graphics/GraphicsContext.h"
#include "Platform/Clock.h"
#include "Platform/GoldenImage.h"
#include "Platform/null/NullBackends.h"
#include "Support/SupportTestSupport.h"

namespace {

class Splash : public ::testing::Test {
protected:
    bool Show() {
        return ShowSplash(graphics_, folder_.Path(), clock_, [this] { ++pumps_; });
    }

    NullGraphicsDevice device_;
    GraphicsContext graphics_{device_, 320, 180};
    ManualClock clock_;
    TempFolder folder_;
    int pumps_ = 0;
};

TEST_F(Splash, ShowsAReadablePngCentredForFiveFramesOnBlackAndNothingElse) {
    EXPECT_FALSE(Show());
    WriteText(folder_.Path() + "splash.png", "not a picture");
    EXPECT_FALSE(Show());
    WriteText(folder_.Path() + "splash.png", std::string("\x89PNG\r\n\x1A\n", 8) + "broken");
    EXPECT_FALSE(Show());
    EXPECT_EQ(std::tuple(device_.frames_presented, pumps_, clock_.NowMicros()),
              std::tuple(0, 0, 0));

    RgbaImage image{20, 10, std::vector<uint8_t>(20 * 10 * 4, 200)};
    std::string error;
    ASSERT_TRUE(WritePng(folder_.Path() + "splash.png", image, error)) << error;
    const size_t textures_before = device_.textures.size();
    ASSERT_TRUE(Show());
    EXPECT_EQ(std::pair(device_.frames_presented, pumps_), (std::pair<int64_t, int>(5, 5)));
    ASSERT_EQ(device_.clears.size(), 5u);
    ASSERT_EQ(device_.draws.size(), 5u);
    for (size_t frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(device_.clears[frame].argb, 0xFF000000u);
        const auto& draw = device_.draws[frame];
        ASSERT_EQ(draw.vertices.size(), 6u);
        EXPECT_EQ(draw.target, 0);
        EXPECT_EQ((std::array{draw.vertices[0].x, draw.vertices[0].y, draw.vertices[2].x,
                              draw.vertices[2].y}),
                  (std::array<float, 4>{150, 85, 170, 95}));
        EXPECT_EQ(draw.vertices[0].colour, 0xFFFFFFFFu);
    }
    // The null display holds no frame back: the runner's clock gives each a refresh period.
    EXPECT_GE(clock_.NowMicros(), 5 * 16'666);
    EXPECT_LT(clock_.NowMicros(), 6 * 16'666);
    EXPECT_EQ(device_.textures.size(), textures_before); // its texture is gone again
}

} // namespace
