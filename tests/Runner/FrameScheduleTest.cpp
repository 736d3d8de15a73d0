#include "Runner/FrameSchedule.h"

#include <gtest/gtest.h>

namespace {

constexpr double kPeriod60 = 1'000'000.0 / 60;

TEST(FrameSchedule, LateFramesKeepTheirIdealTimesUntilAPeriodOffAndRatesGoOnFromThem) {
    FrameSchedule schedule;
    schedule.Restart(1000);
    schedule.Advance(kPeriod60, 1000 + 16'700);
    EXPECT_DOUBLE_EQ(schedule.Previous(), 1000 + kPeriod60);
    schedule.Advance(kPeriod60, 1000 + 33'334);
    EXPECT_DOUBLE_EQ(schedule.Previous(), 1000 + 2 * kPeriod60);
    schedule.Advance(kPeriod60, 1000 + 50'000 + 16'000); // late, but by less than a period
    EXPECT_DOUBLE_EQ(schedule.Previous(), 1000 + 50'000);

    schedule.Advance(kPeriod60, 200'000); // a long frame: no rushing to catch up
    EXPECT_EQ(schedule.Previous(), 200'000);
    schedule.Advance(kPeriod60, 216'667);
    EXPECT_DOUBLE_EQ(schedule.Previous(), 200'000 + kPeriod60);
    // A new rate goes on from the last ideal start.
    schedule.Advance(20'000, 236'667);
    EXPECT_DOUBLE_EQ(schedule.Previous(), 200'000 + kPeriod60 + 20'000);
    schedule.Advance(20'000, 256'667);
    EXPECT_DOUBLE_EQ(schedule.Previous(), 200'000 + kPeriod60 + 40'000);
    schedule.Advance(0, 256'700); // no limit: every frame is its own start
    EXPECT_EQ(schedule.Previous(), 256'700);
}

TEST(FrameSchedule, TenHoursOnALongRunningClockDoNotDrift) {
    // A monotonic clock counts from boot: after two weeks up, a double holds microseconds to
    // about a ten-thousandth, and rounding that adds up frame after frame would show.
    const double origin = 1'200'000'000'000.0;
    FrameSchedule schedule;
    schedule.Restart(origin);
    const int64_t frames = 10 * 3600 * 60;
    for (int64_t frame = 1; frame <= frames; ++frame) {
        const double ideal = origin + static_cast<double>(frame) * kPeriod60;
        schedule.Advance(kPeriod60, static_cast<int64_t>(ideal) + 1);
    }
    EXPECT_NEAR(schedule.Previous(), origin + 36'000'000'000.0, 0.001);
}

} // namespace
