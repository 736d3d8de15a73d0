// The frame loop over the null backends: the step's stages in order, frames kept to the game's
// speed, the requests handled at the end of a frame, the window closing, and the idle cursor.
#include "Runner/FrameLoop.h"

#include "Base/OutputChannel.h"
#include "Code/RuntimeError.h"
#include "Object/WorldFixture.h"

namespace {

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

TEST_F(FrameLoopTest, EndOfFrameRequestsChangeRoomsRestartAndStop) {
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

    {
        RuntimeErrorCapture errors;
        runner.pending_room = 7;
        loop_.RunFrame();
        EXPECT_EQ(errors.Messages(), std::vector<std::string>{"Unexisting room number: 7"});
        EXPECT_EQ(runner.pending_room, PENDING_ABORT_GAME);
    }
    loop_.RunFrame();
    EXPECT_FALSE(runner.running);
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
