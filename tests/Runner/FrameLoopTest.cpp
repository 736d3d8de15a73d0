// Frame pacing and the frame loop over the null backends: frames neither early nor drifting,
// and the requests handled at a frame's end.
#include "Runner/FrameLoop.h"
#include "Runner/FramePacing.h"
#include "Runner/FrameSchedule.h"
#include "Runner/WakeLateness.h"

#include "Base/OutputChannel.h"
#include "Object/WorldFixture.h"

namespace {

TEST(FramePacing, TheWaitIsWhatRemainsOfTheFrameUnlessTheDisplayPacesIt) {
    EXPECT_EQ(ComputeFrameWait(60, 0), 16667); // 16,666.67 µs, rounded up: never early
    EXPECT_EQ(ComputeFrameWait(60, 10000), 6667);
    EXPECT_EQ(ComputeFrameWait(60, 16666.5), 1);
    EXPECT_EQ(ComputeFrameWait(50, 0.25), 20000);
    EXPECT_EQ(ComputeFrameWait(60, 20000), 0);      // a late frame does not wait
    EXPECT_EQ(ComputeFrameWait(0.5, 0), 1'000'000); // never more than a second
    EXPECT_EQ(ComputeFrameWait(0, 0), 0);           // no limit

    // The display paces only near whole multiples below five.
    auto choose = [](double display_hz, double rate, int vsync) {
        const SwapDecision chosen = ChooseSwapInterval(display_hz, rate, vsync);
        return std::pair(chosen.display_paces, chosen.swap_interval);
    };
    EXPECT_EQ(choose(60, 60, 1), std::pair(true, 1));
    EXPECT_EQ(choose(60, 60, 0).second, 1);
    EXPECT_EQ(choose(60, 30, 1), std::pair(true, 2));
    EXPECT_EQ(choose(60, 50, 1), std::pair(false, 1)); // 1.2 is no whole multiple: the runner sleeps
    EXPECT_FALSE(choose(60, 12, 1).first);              // 5 times is too many
    EXPECT_TRUE(choose(144, 36.5, 0).first);            // 3.95 is near 4
}

TEST(FramePacing, WaitsSleepTheCoarsePartThenPumpMessagesUntilTheTime) {
    EXPECT_EQ(CoarseSleepMs(16'666, 10), 6);
    EXPECT_EQ(CoarseSleepMs(16'666, 1), 15);
    EXPECT_EQ(CoarseSleepMs(5'000, 10), 0);

    SpinClock clock;
    WakeLateness lateness;
    int pumps = 0;
    WaitMicros(clock, 16'666, 10, lateness, [&] { ++pumps; });
    ASSERT_EQ(clock.sleeps.size(), 2u);
    EXPECT_EQ(clock.sleeps[0], 1000 + 6000);
    // The margin is slept too, until no more than a wake-up's lateness is left to spin.
    EXPECT_EQ(clock.sleeps[1], 1000 + 16'666 - WakeLateness::kInitialUs);
    EXPECT_GE(clock.now_us, 1000 + 16'666);
    EXPECT_LT(clock.now_us, 1000 + 16'666 + 5);
    EXPECT_GT(pumps, 100); // the spin pumps messages all the while

    SpinClock long_wait;
    WaitMicros(long_wait, 5'000'000, 10, lateness, [] {});
    EXPECT_EQ(long_wait.sleeps[0], 1000 + 2'990'000); // cut to 3 s
    size_t sleeps = long_wait.sleeps.size();
    WaitMicros(long_wait, 0, 10, lateness, [] {});
    EXPECT_EQ(long_wait.sleeps.size(), sleeps);
}

TEST(FramePacing, TheSpinCoversHowLateSleepsWakeButNotAMomentsStall) {
    SpinClock clock;
    WakeLateness lateness;
    // One frame's wait at a 1 ms margin: how much of its end was spun, and whether it ended on
    // time.
    struct Wait {
        int64_t spun_us;
        bool on_time;
    };
    auto wait = [&] {
        const int64_t end = clock.now_us + 16'666;
        WaitMicros(clock, 16'666, 1, lateness, [] {});
        return Wait{end - clock.sleeps.back(), clock.now_us >= end && clock.now_us < end + 5};
    };
    // How many waits end on time having spun no more than a quarter over the sleeps' lateness.
    auto count_good = [&](int waits) {
        int good = 0;
        for (int i = 0; i < waits; ++i) {
            const Wait done = wait();
            good += done.on_time && done.spun_us >= clock.wake_late_us &&
                    done.spun_us <= clock.wake_late_us * 5 / 4 + 1;
        }
        return good;
    };

    clock.wake_late_us = 40;
    count_good(2000); // from the first guess down to what this clock shows
    EXPECT_EQ(count_good(600), 600);

    // One wake-up 3 ms late makes its frame late, and the next spin only a little longer.
    clock.wake_late_us = 3000;
    EXPECT_FALSE(wait().on_time);
    clock.wake_late_us = 40;
    EXPECT_LE(wait().spun_us, 63);

    // Sleeps that keep waking later are soon covered.
    clock.wake_late_us = 300;
    count_good(20);
    EXPECT_EQ(count_good(600), 600);

    // Sleeps milliseconds late are a busy machine's: the spin stays within a millisecond.
    for (int i = 0; i < 100; ++i)
        lateness.Record(5000);
    EXPECT_EQ(lateness.Micros(), 1000);
}

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

// Three rooms in the order 2, 0, 1.
class FrameLoopTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        for (const char* room : {"rmA", "rmB", "rmC"})
            AddRoom(room);
        package_.header.room_order = {2, 0, 1};
        Start();
    }
};

TEST_F(FrameLoopTest, TheStepRunsItsStagesInOrder) {
    std::string trace;
    DebugOutput().CaptureTo(&trace);
    Runner().trace_stages = true;
    loop_.DoStep();
    DebugOutput().CaptureTo(nullptr);
    EXPECT_EQ(trace,
              "stage Garbage Collector\nstage Input\nstage Update\nstage Begin Step\nstage Network\n"
              "stage Timelines\nstage Alarms\nstage Keyboard and Mouse\nstage Step\nstage Motion\n"
              "stage Outside and Boundary\nstage Asynchronous\nstage Collisions\nstage End Step\n"
              "stage Particles\nstage Draw\nstage Scroll\n");
    EXPECT_EQ(Runner().frames_drawn, 1);

    // A room change requested during the step ends it: nothing after, no frame counted.
    Runner().pending_room = 1;
    loop_.DoStep();
    EXPECT_EQ(Runner().frames_drawn, 1);
}

// The schedule starts at the first frame; each later one starts at its ideal time, give or take
// the spin's last microseconds.
TEST_F(FrameLoopTest, FramesKeepTheGameSpeedWithoutDrift) {
    const int64_t start = clock_.now_us;
    loop_.RunFrame();
    const int64_t first = Runner().frame_start_us;
    for (int i = 1; i < 600; ++i) {
        loop_.RunFrame();
        ASSERT_NEAR(double(Runner().frame_start_us - first), i * (1'000'000.0 / 60), 5) << i;
    }
    EXPECT_GE(clock_.now_us - start, 9'990'000);
    EXPECT_LT(clock_.now_us - start, 10'000'000 + 50);
    EXPECT_EQ(graphics_.frames_presented, 600);
    EXPECT_EQ(Runner().fps, 60);
    EXPECT_NEAR(static_cast<double>(Runner().delta_time_us), 16'667, 5);

    Runner().game_speed = 30;
    int64_t before = clock_.now_us;
    loop_.RunFrame();
    loop_.RunFrame();
    EXPECT_NEAR(static_cast<double>(clock_.now_us - before), 2 * 33'333, 40);
}

TEST_F(FrameLoopTest, EndOfFrameRequestsChangeRoomsAndRestart) {
    RunnerState& runner = Runner();
    runner.pending_room = 0;
    loop_.RunFrame();
    EXPECT_EQ(runner.current_room, 0);
    EXPECT_EQ(runner.pending_room, PENDING_NONE);
    EXPECT_EQ(graphics_.frames_presented, 0); // a frame that changes room is not shown

    runner.pending_room = PENDING_RESTART_GAME;
    loop_.RunFrame();
    EXPECT_EQ(runner.current_room, 2); // the first room of the room order
    EXPECT_TRUE(runner.running);
}

TEST_F(FrameLoopTest, ClosingTheWindowStopsTheLoopAfterTheFrame) {
    Runner().sleep_enabled = false; // no wait, so the frame's step sees the window still open
    window_.PostQuit();
    loop_.RunTurn();
    EXPECT_EQ(graphics_.frames_presented, 1); // the frame in progress finished
    EXPECT_FALSE(Runner().running);
    EXPECT_TRUE(Runner().quit_requested);
}

TEST_F(FrameLoopTest, InFullScreenTheCursorHidesAfterTwoStillSecondsAndShowsOnAMoveOrInAWindow) {
    const auto run_for = [this](int64_t us) {
        for (const int64_t end = clock_.now_us + us; clock_.now_us < end;) loop_.RunTurn();
    };
    run_for(3'000'000);
    EXPECT_TRUE(window_.CursorShown());
    window_.SetFullScreen(true);
    run_for(1'900'000);
    EXPECT_TRUE(window_.CursorShown());
    run_for(200'000);
    EXPECT_FALSE(window_.CursorShown());

    window_.PostMouseMove(10, 10);
    loop_.RunTurn();
    EXPECT_TRUE(window_.CursorShown());
    run_for(1'900'000); // counted from the move
    EXPECT_TRUE(window_.CursorShown());
    run_for(200'000);
    EXPECT_FALSE(window_.CursorShown());

    window_.SetFullScreen(false);
    loop_.RunTurn();
    EXPECT_TRUE(window_.CursorShown());
}

} // namespace
