// The main loop: one frame per turn at the game's rate, the fixed order of work inside a frame,
// and the end-of-frame requests (room changes, restart, end).
#pragma once

#include <cstdint>
#include <functional>

#include "Graphics/PngImage.h"
#include "Platform/Window.h"
#include "Run/DrawStage.h"
#include "Run/IdleCursor.h"
#include "Runner/FrameSchedule.h"
#include "Runner/WakeLateness.h"

class Clock;
class GraphicsDevice;

class FrameLoop final : public PlatformEvents {
public:
    FrameLoop(Clock& clock, Window& window, GraphicsDevice& graphics);

    // Marks the start of the loop: the first frame's time, the counters, one message pump.
    void Enter();
    // One turn: a frame, then the message pump.
    void RunTurn();
    // One frame: wait for its time, count it, step, present, act on the pending room.
    // Returns the frame rate to aim at next.
    double RunFrame();
    // The step's stages in their fixed order; each stops the step once a room change is pending.
    void DoStep();
    void PumpMessages();

    void OnQuitRequested() override;
    void OnWindowResized(int width, int height) override;
    void OnKey(int32_t virtual_key, bool down, bool repeat) override;
    void OnText(std::string_view utf8) override;
    void OnMouseMove(double x, double y) override;
    void OnMouseButton(int32_t button, bool down) override;
    void OnMouseWheel(int32_t steps) override;
    void OnFocusLost() override;

    int64_t FramesRun() const { return frames_run_; }
    // The next frame's picture is read from the window just before it is shown.
    void CaptureNextFrame() { capture_next_ = true; }
    const RgbaImage& CapturedFrame() const { return captured_; }
    // Told each stage's name as it begins, then "Flush", "Present" and "Shown" at the frame's
    // end: benchmarks time the parts of a frame with it.
    void SetStageListener(std::function<void(const char*)> listener) {
        stage_listener_ = std::move(listener);
    }

private:
    double TargetRate() const;
    void Pace(double target_rate);
    void CountFramesPerSecond();
    void ActOnPendingRoom();
    void CaptureWindow();
    // The step's input: the player's since the last step, or the recorded step in a replay.
    void ReadInput();
    // Writes the stage's name when tracing; true when the rest of the step is to be skipped.
    bool Stage(const char* name);

    Clock& clock_;
    Window& window_;
    GraphicsDevice& graphics_;
    FrameSchedule schedule_;
    WakeLateness wake_lateness_;
    DrawStage draw_stage_;
    int64_t second_start_us_ = 0;
    int32_t frames_this_second_ = 0;
    int64_t previous_step_start_us_ = 0;
    int64_t frames_run_ = 0;
    bool capture_next_ = false;
    // F12 was pressed: the next captured frame goes to the screenshots.
    bool screenshot_asked_ = false;
    // The window lost the focus since the last step read the input.
    bool focus_lost_ = false;
    IdleCursor idle_cursor_{window_};
    RgbaImage captured_;
    std::function<void(const char*)> stage_listener_;
};
