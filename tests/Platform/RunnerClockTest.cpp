#include "Platform/RunnerClock.h"

#include <gtest/gtest.h>

#include "Platform/Clock.h"

namespace {

TEST(RunnerClock, CountsMicrosecondsFromItsStartOnTheClockItIsGiven) {
    ManualClock clock;
    clock.Advance(5'000'000); // the platform clock's origin is arbitrary
    Timing_Start(clock);
    EXPECT_EQ(Timing_Time(), 0);
    clock.Advance(16'666);
    EXPECT_EQ(Timing_Time(), 16'666);
    Timing_SleepUntil(20'000);
    EXPECT_EQ(Timing_Time(), 20'000);
    Timing_SleepUntil(10'000); // a past deadline returns at once
    EXPECT_EQ(Timing_Time(), 20'000);
    Timing_Start(SystemClock());

    // The system clock is monotonic and sleeps to the deadline.
    Clock& system = SystemClock();
    const int64_t start = system.NowMicros();
    system.SleepUntil(start + 2'000);
    const int64_t woke = system.NowMicros();
    EXPECT_GE(woke, start + 2'000);
    EXPECT_GE(system.NowMicros(), woke);
}

} // namespace
