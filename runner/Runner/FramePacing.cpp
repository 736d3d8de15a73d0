#include "Runner/FramePacing.h"

#include <algorithm>
#include <cmath>

#include "Platform/Clock.h"
#include "Runner/WakeLateness.h"

int64_t ComputeFrameWait(double target_rate, double elapsed_us) {
    if (target_rate <= 0) return 0;
    double wait_us = std::ceil(1'000'000.0 / target_rate - elapsed_us);
    return static_cast<int64_t>(std::clamp(wait_us, 0.0, static_cast<double>(MAX_FRAME_WAIT_US)));
}

SwapDecision ChooseSwapInterval(double display_hz, double target_rate, int vsync_flag) {
    SwapDecision decision{false, vsync_flag ? 1 : 0};
    if (target_rate <= 0) return decision;
    double ratio = display_hz / target_rate;
    double whole = std::floor(ratio);
    double nearest = (ratio - whole <= 0.5) ? whole : whole + 1;
    if (std::fabs(ratio - nearest) < 0.1 && nearest < 5) {
        decision.display_paces = true;
        decision.swap_interval = std::max(static_cast<int>(nearest), vsync_flag);
    }
    return decision;
}

int64_t CoarseSleepMs(int64_t wait_us, int32_t sleep_margin_ms) {
    return std::max<int64_t>((wait_us - int64_t{sleep_margin_ms} * 1000) / 1000, 0);
}

void WaitMicros(Clock& clock, int64_t wait_us, int32_t sleep_margin_ms, WakeLateness& wake_lateness,
                const std::function<void()>& pump) {
    if (wait_us <= 0) return;
    wait_us = std::min(wait_us, MAX_SINGLE_WAIT_US);
    int64_t start = clock.NowMicros();
    int64_t end = start + wait_us;
    int64_t coarse_ms = CoarseSleepMs(wait_us, sleep_margin_ms);
    if (coarse_ms > 0) clock.SleepUntil(start + coarse_ms * 1000);
    // A spin of the whole margin would burn a core's share; only the last stretch, which a
    // sleep could overshoot, is spun.
    const int64_t wake = end - wake_lateness.Micros();
    for (int64_t now = clock.NowMicros(); now < end; now = clock.NowMicros()) {
        pump();
        if (clock.NowMicros() < wake) {
            clock.SleepUntil(wake);
            wake_lateness.Record(clock.NowMicros() - wake);
        }
    }
}
