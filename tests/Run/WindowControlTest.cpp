// The window built-ins on the null window, driven through the frame loop: the size countdown,
// centring in any frame of a resize, the display's size and full screen.
#include "Run/WindowControl.h"

#include "Code/ValueText.h"
#include "Object/WorldFixture.h"
#include "Package/PackageFormat.h"
#include "Package/PackageHeader.h"

namespace {

class WindowControlTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        std::string error;
        window_.Open(320, 180, "test", error);
        window_.frame_left = window_.frame_right = window_.frame_bottom = 2;
        window_.frame_top = 20;
        AddRoom("rmOnly");
        Start();
        SetActiveWindowControl(&control_);
    }
    void TearDown() override {
        SetActiveWindowControl(nullptr);
        WorldFixture::TearDown();
    }

    void Turn() { loop_.RunTurn(); }
    std::pair<int, int> Size() const {
        int width, height;
        window_.ClientSize(width, height);
        return {width, height};
    }
    // The client size, the countdown and the display resets so far.
    std::tuple<int, int, int, int> State() const {
        const auto [width, height] = Size();
        return {width, height, control_.Countdown(), int(control_.DisplayResets())};
    }
    std::pair<int, int> Position() const {
        int x, y, width, height;
        window_.OuterRect(x, y, width, height);
        return {x, y};
    }

    // Built-ins by name, as compiled code calls them.
    double Call(const char* name, auto... args) { return CallNamed(nullptr, name, args...); }
    std::string FullScreen() { // a bool, as text
        ScopedRValue none, result;
        RValue* argv[] = {&none};
        CallBuiltin(nullptr, nullptr, result, 0, FindBuiltin("window_get_fullscreen"), argv);
        return ValueText(result);
    }

    WindowControl control_{window_};
};

TEST_F(WindowControlTest, ASizeRequestIsAppliedOnTheFollowingFramesAndResetsTheDisplayAtOne) {
    Call("window_set_size", 640, 360);
    EXPECT_EQ(State(), std::tuple(320, 180, 10, 0)); // not before the next frame
    Turn();
    // The window's own report of the new size does not put the reset off.
    EXPECT_EQ(State(), std::tuple(640, 360, 9, 0));
    // While the count is above 1 the requested size is held against other changes.
    window_.SetClientSize(500, 500);
    Turn();
    EXPECT_EQ(State(), std::tuple(640, 360, 8, 0));
    for (int count = 7; count >= 0; --count) {
        Turn();
        EXPECT_EQ(State(), std::tuple(640, 360, count, count == 0 ? 1 : 0));
    }

    // Once reset, the window is left alone; the player's resize schedules another reset, set
    // by the report and then counted by the frame.
    window_.SetClientSize(500, 400);
    Turn();
    EXPECT_EQ(State(), std::tuple(500, 400, 9, 1));
    for (int i = 0; i < 9; ++i) Turn();
    EXPECT_EQ(State(), std::tuple(500, 400, 0, 2)) << "no game request: the player's size stays";
}

TEST_F(WindowControlTest, ARequestThatChangesNothingOrComesAtOneStartsNoCountdown) {
    Call("window_set_size", 320, 180);
    Call("window_set_size", 0, 400);
    Call("window_set_size", 400, -1);
    EXPECT_EQ(control_.Countdown(), 0);

    Call("window_set_size", 400, 300);
    for (int i = 0; i < 9; ++i) Turn();
    ASSERT_EQ(control_.Countdown(), 1);
    Call("window_set_size", 800, 600);
    EXPECT_EQ(control_.Countdown(), 1);
    // Never applied, so centring keeps to the size the window has: outer 404 x 322.
    Call("window_center");
    EXPECT_EQ(Position(), std::make_pair(758, 379));
    Turn();
    EXPECT_EQ(State(), std::tuple(400, 300, 0, 1));
}

TEST_F(WindowControlTest, CentringAfterASizeRequestCentresTheNewSizeInWhicheverFrameItComes) {
    // An odd display: the half pixel left over is dropped.
    window_.display_width = 1367;
    window_.display_height = 769;
    struct Case {
        int frames_before_centring, width, height, x, y;
    };
    // Outer sizes are 4 x 22 larger; the last case centres after the display reset.
    for (const Case& c : {Case{0, 640, 360, 361, 193}, Case{1, 960, 540, 201, 103},
                          Case{9, 1280, 720, 41, 13}, Case{10, 320, 180, 521, 283}}) {
        Call("window_set_size", c.width, c.height);
        for (int i = 0; i < c.frames_before_centring; ++i) Turn();
        Call("window_center");
        for (int i = c.frames_before_centring; i < 11; ++i) Turn();
        ASSERT_EQ(control_.Countdown(), 0);
        EXPECT_EQ(Size(), std::make_pair(c.width, c.height)) << c.frames_before_centring;
        EXPECT_EQ(Position(), std::make_pair(c.x, c.y)) << c.frames_before_centring;
    }
}

TEST_F(WindowControlTest, FullScreenTakesTheDisplaysSizeAndIgnoresSizeAndCentre) {
    EXPECT_EQ(FullScreen(), "0");
    window_.PostFullScreenKey();
    loop_.PumpMessages();
    EXPECT_EQ(FullScreen(), "1");
    EXPECT_EQ(Size(), std::make_pair(1920, 1080)); // the display's own size, its mode kept
    EXPECT_EQ(control_.Countdown(), 10);
    window_.PostFullScreenKey();
    loop_.PumpMessages();
    EXPECT_EQ(FullScreen(), "0");
    EXPECT_EQ(Size(), std::make_pair(320, 180));

    Call("window_set_fullscreen", 1);
    EXPECT_EQ(FullScreen(), "1");
    for (int i = 0; i < 10; ++i) Turn(); // the reset the switch scheduled
    ASSERT_EQ(control_.Countdown(), 0);
    Call("window_set_size", 640, 360);
    EXPECT_EQ(control_.Countdown(), 0);
    window_.MoveOuterTo(5, 7);
    Call("window_center");
    EXPECT_EQ(Position(), std::make_pair(5, 7));
    Call("window_set_fullscreen", 0);
    EXPECT_EQ(Size(), std::make_pair(320, 180));

    // The display's size is the window's display's, and 0 without a window.
    EXPECT_EQ(std::pair(Call("display_get_width"), Call("display_get_height")),
              std::pair(1920.0, 1080.0));
    window_.display_width = 2560;
    window_.display_height = 1440;
    EXPECT_EQ(std::pair(Call("display_get_width"), Call("display_get_height")),
              std::pair(2560.0, 1440.0));
    SetActiveWindowControl(nullptr);
    EXPECT_EQ(Call("display_get_width"), 0);
}

TEST(StartsFullScreenTest, ThePackageAsksForFullScreenAndInAWindowClearsIt) {
    PackageOptions options;
    EXPECT_FALSE(StartsFullScreen(0, options, false));
    EXPECT_TRUE(StartsFullScreen(package::kInfoFullScreen, options, false));
    EXPECT_FALSE(StartsFullScreen(~package::kInfoFullScreen, options, false));
    options.flags = package::kOptionFullScreen;
    EXPECT_TRUE(StartsFullScreen(0, options, false));
    EXPECT_FALSE(StartsFullScreen(package::kInfoFullScreen, options, true)); // -inawindow
}

} // namespace
