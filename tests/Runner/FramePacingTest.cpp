#include "Runner/FramePacing.h"

#include <gtest/gtest.h>

#include "SpinClock.h"

namespace {

TEST(FramePacing, TheWaitIsWhatRemainsOfTheFrame) {
    EXPECT_EQ(ComputeFrameWait(60, 0), 16667); // 16,666.67 µs, rounded up: never early
    EXPECT_EQ(ComputeFrameWait(60, 10000), 6667);
    EXPECT_EQ(ComputeFrameWait(60, 16666.5), 1);
    EXPECT_EQ(ComputeFrameWait(50, 0.25), 20000);
    EXPECT_EQ(ComputeFrameWait(60, 20000), 0); // a late frame does not wait
    EXPECT_EQ(ComputeFrameWait(0.5, 0), 1'000'000); // never more than a second
    EXPECT_EQ(ComputeFrameWait(0, 0), 0); // no limit
}

TEST(FramePacing, TheDisplayPacesOnlyNearWholeMultiplesBelowFive) {
    SwapDecision at60 = ChooseSwapInterval(60, 60, 1);
    EXPECT_TRUE(at60.display_paces);
    EXPECT_EQ(at60.swap_interval, 1);
    SwapDecision at60_no_vsync = ChooseSwapInterval(60, 60, 0);
    EXPECT_EQ(at60_no_vsync.swap_interval, 1);
    SwapDecision at30 = ChooseSwapInterval(60, 30, 1);
    EXPECT_TRUE(at30.display_paces);
    EXPECT_EQ(at30.swap_interval, 2);
    SwapDecision at50 = ChooseSwapInterval(60, 50, 1); // 1.2 is no whole multiple: the runner sleeps
    EXPECT_FALSE(at50.display_paces);
    EXPECT_EQ(at50.swap_interval, 1);
    EXPECT_FALSE(ChooseSwapInterval(60, 12, 1).display_paces); // 5 times is too many
    EXPECT_TRUE(ChooseSwapInterval(144, 36.5, 0).display_paces); // 3.95 is near 4
}

TEST(FramePacing, WaitsSleepAllButTheMarginThenSpin) {
    EXPECT_EQ(CoarseSleepMs(16'666, 10), 6);
    EXPECT_EQ(CoarseSleepMs(16'666, 1), 15);
    EXPECT_EQ(CoarseSleepMs(5'000, 10), 0);

    SpinClock clock;
    int pumps = 0;
    WaitMicros(clock, 16'666, 10, [&] { ++pumps; });
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(clock.sleeps[0], 1000 + 6000);
    EXPECT_GE(clock.now_us, 1000 + 16'666);
    EXPECT_LT(clock.now_us, 1000 + 16'666 + 5);
    EXPECT_GT(pumps, 10'000); // the spin pumps messages all the while

    SpinClock long_wait;
    WaitMicros(long_wait, 5'000'000, 10, [] {});
    EXPECT_EQ(long_wait.sleeps[0], 1000 + 2'990'000); // cut to 3 s
    WaitMicros(long_wait, 0, 10, [] {});
    EXPECT_EQ(long_wait.sleeps.size(), 1u);
}

} // namespace
