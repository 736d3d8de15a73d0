// How long to wait between frames, and when the display's vertical sync may pace the game
// instead. The decisions are pure functions; WaitMicros sleeps most of a wait and spins the
// rest, so that frames start within microseconds of their time.
#pragma once

#include <cstdint>
#include <functional>

class Clock;
class WakeLateness;

constexpr int64_t MAX_FRAME_WAIT_US = 1'000'000;
constexpr int64_t MAX_SINGLE_WAIT_US = 3'000'000;

// One frame at the target rate less the time the frame took, within 0 and 1,000,000 µs, and
// rounded up to the clock's microsecond so that no frame starts before its time.
// A target rate of 0 or less means no limit: no wait.
int64_t ComputeFrameWait(double target_rate, double elapsed_us);

struct SwapDecision {
    bool display_paces; // the wait becomes 0: the swap interval holds the frames back
    int swap_interval;
};

// With a display rate within 0.1 of a whole multiple n (below 5) of the game's rate, the
// display paces the game with swap interval max(n, vsync_flag); otherwise the interval is the
// vsync flag and the runner waits.
SwapDecision ChooseSwapInterval(double display_hz, double target_rate, int vsync_flag);

// The part of a wait that is slept in one go (whole milliseconds); the rest, about the margin,
// is spent pumping messages.
int64_t CoarseSleepMs(int64_t wait_us, int32_t sleep_margin_ms);

// Waits wait_us (cut to 3 s) on the clock: sleeps the coarse part, then pumps messages until
// the time is up, sleeping between pumps while more than the wake-up lateness remains and
// spinning the rest. The sleeps' lateness is measured into wake_lateness.
void WaitMicros(Clock& clock, int64_t wait_us, int32_t sleep_margin_ms, WakeLateness& wake_lateness,
                const std::function<void()>& pump);
