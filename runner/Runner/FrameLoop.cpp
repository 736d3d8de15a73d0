#include "Runner/FrameLoop.h"

#include <ctime>
#include <utility>

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Graphics/GraphicsContext.h"
#include "IO/GamepadLayer.h"
#include "IO/InputConstants.h"
#include "IO/InputEvents.h"
#include "IO/InputReplay.h"
#include "IO/InputState.h"
#include "IO/MousePosition.h"
#include "Object/AsyncEvents.h"
#include "Object/CollisionEvents.h"
#include "Object/EventDispatch.h"
#include "Object/InstanceLifecycle.h"
#include "Object/InstanceStep.h"
#include "Platform/Clock.h"
#include "Platform/GraphicsDevice.h"
#include "Room/RoomBackgrounds.h"
#include "Room/RoomLayers.h"
#include "Room/RunningRooms.h"
#include "Run/RoomFlow.h"
#include "Run/WindowControl.h"
#include "Runner/FramePacing.h"
#include "Runner/Screenshots.h"
#include "Sound/AudioSystem.h"
#include "Support/SaveWriter.h"

namespace {

constexpr double kDefaultRate = 60;

} // namespace

FrameLoop::FrameLoop(Clock& clock, Window& window, GraphicsDevice& graphics)
    : clock_(clock), window_(window), graphics_(graphics) {}

void FrameLoop::Enter() {
    DebugOutput().Write("Entering main loop.\n");
    second_start_us_ = clock_.NowMicros();
    schedule_.Restart(static_cast<double>(second_start_us_));
    frames_this_second_ = 0;
    PumpMessages();
    previous_step_start_us_ = clock_.NowMicros();
}

void FrameLoop::RunTurn() {
    RunFrame();
    PumpMessages();
}

double FrameLoop::TargetRate() const {
    const RunnerState& runner = Runner();
    if (runner.major_version >= 2) return runner.game_speed > 0 ? runner.game_speed : 0;
    if (CRoom* room = CurrentRoom()) {
        if (room->speed < 1) room->speed = 1; // and the room keeps the raised speed
        return room->speed;
    }
    return kDefaultRate;
}

void FrameLoop::Pace(double target_rate) {
    RunnerState& runner = Runner();
    auto now = static_cast<double>(clock_.NowMicros());
    // The wait ends on the ideal start or after it, so the next frame's reading of a monotonic
    // clock cannot fall before it: only a clock that went back restarts the schedule here.
    if (now < schedule_.Previous()) schedule_.Restart(now);
    int64_t wait_us = ComputeFrameWait(target_rate, now - schedule_.Previous());
    if (runner.sleep_enabled) {
        SwapDecision swap = ChooseSwapInterval(graphics_.RefreshRate(), target_rate, runner.vsync_flag);
        // Without a swap interval that really holds frames back, our own clock paces the game.
        if (swap.display_paces && graphics_.SwapIntervalThrottles()) {
            graphics_.SetSwapInterval(swap.swap_interval);
            wait_us = 0;
        }
        WaitMicros(clock_, wait_us, runner.sleep_margin_ms, wake_lateness_,
                   [this] { PumpMessages(); });
    }
    runner.frame_start_us = clock_.NowMicros();
    // Frames keep to an ideal schedule, so that waking a little late never adds up to drift.
    schedule_.Advance(target_rate > 0 ? 1'000'000.0 / target_rate : 0, runner.frame_start_us);
}

void FrameLoop::CountFramesPerSecond() {
    RunnerState& runner = Runner();
    int64_t now = clock_.NowMicros();
    if (now < second_start_us_) second_start_us_ = now;
    if (now / 1'000'000 > second_start_us_ / 1'000'000) {
        runner.fps = frames_this_second_;
        frames_this_second_ = 0;
        second_start_us_ = now;
    }
    ++frames_this_second_;
}

double FrameLoop::RunFrame() {
    RunnerState& runner = Runner();
    Pace(TargetRate());
    if (!runner.running) return kDefaultRate;

    CountFramesPerSecond();
    Saves().ReportOutcomes();
    if (AudioSystem* audio = ActiveAudio()) audio->Tick(); // none with -noaudio
    if (WindowControl* control = ActiveWindowControl()) control->CountDown();
    idle_cursor_.Update(clock_.NowMicros());
    graphics_.BeginFrame();
    GraphicsContext* drawing = ActiveGraphics();
    if (drawing) drawing->BeginFrame();
    DoStep();
    if (stage_listener_) stage_listener_("Flush");
    if (drawing) drawing->Flush();
    if (runner.pending_room == PENDING_NONE) {
        if (capture_next_) CaptureWindow();
        if (std::exchange(screenshot_asked_, false)) SaveScreenshot(captured_, std::time(nullptr));
        if (stage_listener_) stage_listener_("Present");
        graphics_.Present();
    }
    if (stage_listener_) stage_listener_("Shown");
    ++frames_run_;
    ActOnPendingRoom();
    return runner.running ? TargetRate() : kDefaultRate;
}

void FrameLoop::CaptureWindow() {
    capture_next_ = false;
    graphics_.SetRenderTarget(0);
    graphics_.DrawableSize(captured_.width, captured_.height);
    captured_.pixels = graphics_.ReadPixels(0, 0, captured_.width, captured_.height);
}

bool FrameLoop::Stage(const char* name) {
    RunnerState& runner = Runner();
    // What the previous stage queued (depth changes) is carried out before anything else runs.
    DoDeferredWork();
    if (runner.pending_room != PENDING_NONE) return true;
    if (runner.trace_stages) DebugOutput().Printf("stage %s\n", name);
    if (stage_listener_) stage_listener_(name);
    return false;
}

// The stages run in this order every frame; each is skipped once a room change is pending.
// Input and audio hang their work on the stage of the same name.
void FrameLoop::DoStep() {
    RunnerState& runner = Runner();
    int64_t step_start = clock_.NowMicros();
    runner.delta_time_us = step_start - previous_step_start_us_;
    previous_step_start_us_ = step_start;

    if (Stage("Garbage Collector")) return;
    if (Stage("Input")) return;
    ReadInput();
    if (Stage("Update")) return;
    UpdateInstances();
    UpdateRoomLayers();
    if (Stage("Begin Step")) return;
    RunEventPass(ev_step, ev_step_begin);
    if (Stage("Network")) return;
    if (Stage("Timelines")) return;
    if (Stage("Alarms")) return;
    RunAlarms();
    if (Stage("Keyboard and Mouse")) return;
    RunKeyboardAndMouseEvents();
    if (Stage("Step")) return;
    RunEventPass(ev_step, ev_step_normal);
    if (Stage("Motion")) return;
    MoveInstances();
    if (Stage("Outside and Boundary")) return;
    RunOutsideEvents();
    if (Stage("Asynchronous")) return;
    RunAsyncEvents();
    if (Stage("Collisions")) return;
    RunCollisionEvents();
    if (Stage("End Step")) return;
    RunEventPass(ev_step, ev_step_end);
    if (Stage("Particles")) return;
    if (Stage("Draw")) return;
    RemoveMarkedInstances();
    GraphicsContext* drawing = ActiveGraphics();
    if (CRoom* room = CurrentRoom(); drawing && room) {
        draw_stage_.mouse = RunnerInput().mouse.Current().position;
        draw_stage_.Run(*drawing, *room);
    }
    if (Stage("Scroll")) return;
    ScrollRoomBackgrounds();
    ++runner.frames_drawn;
}

void FrameLoop::ActOnPendingRoom() {
    RunnerState& runner = Runner();
    int32_t request = runner.pending_room;
    switch (request) {
    case PENDING_NONE: return;
    case PENDING_END_GAME:
    case PENDING_ABORT_GAME: runner.running = false; return;
    case PENDING_RESTART_GAME:
        ClearInput();
        EndGame();
        StartGame();
        return;
    case PENDING_LOAD_GAME:
        // No saved-game format exists to load from: the request is dropped.
        runner.pending_room = PENDING_NONE;
        return;
    default: ChangeRoom(request); return;
    }
}

void FrameLoop::PumpMessages() { window_.PumpEvents(*this); }

void FrameLoop::OnQuitRequested() {
    RunnerState& runner = Runner();
    runner.running = false;
    runner.quit_requested = true;
}

void FrameLoop::OnWindowResized(int, int) {
    if (WindowControl* control = ActiveWindowControl()) control->OnResized();
}

void FrameLoop::ReadInput() {
    InputState& input = RunnerInput();
    RunnerState& runner = Runner();
    InputReplay& replay = RunnerReplay();
    if (replay.Playing()) {
        replay.PlayStep(input, runner.delta_time_us);
    } else {
        input.focus_lost = std::exchange(focus_lost_, false);
        input.keyboard.StepUpdate([this](int32_t key) { return window_.KeyHeld(key); });
        input.mouse.StepUpdate(CurrentScreenLayout(window_, draw_stage_, ActiveGraphics()));
        UpdateGamepads();
    }
    // A replay may be recorded again: what it played is what the game saw.
    replay.RecordStep(input, runner.delta_time_us);
}

// While a recording plays, the player's input is not read at all. F12 is the runner's own:
// it takes a screenshot, in a replay too, and the game never sees it.
void FrameLoop::OnKey(int32_t virtual_key, bool down, bool repeat) {
    if (virtual_key == vk_f12) {
        if (down && !repeat) screenshot_asked_ = capture_next_ = true;
        return;
    }
    if (RunnerReplay().Playing()) return;
    if (down) RunnerInput().keyboard.KeyDown(virtual_key, repeat);
    else RunnerInput().keyboard.KeyUp(virtual_key);
}

void FrameLoop::OnText(std::string_view utf8) {
    if (!RunnerReplay().Playing()) RunnerInput().keyboard.TypeText(utf8);
}

void FrameLoop::OnMouseMove(double x, double y) {
    idle_cursor_.OnMoved(clock_.NowMicros());
    if (!RunnerReplay().Playing()) RunnerInput().mouse.Move(x, y);
}

void FrameLoop::OnMouseButton(int32_t button, bool down) {
    if (!RunnerReplay().Playing()) RunnerInput().mouse.Button(button, down);
}

void FrameLoop::OnMouseWheel(int32_t steps) {
    if (!RunnerReplay().Playing()) RunnerInput().mouse.Wheel(steps);
}

void FrameLoop::OnFocusLost() {
    if (RunnerReplay().Playing()) return;
    ClearInput();
    focus_lost_ = true;
}
