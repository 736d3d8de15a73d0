#include "Platform/RunnerClock.h"

#include "Platform/Clock.h"

namespace {

struct RunnerClock {
    Clock* clock = nullptr;
    int64_t origin_us = 0;
};

RunnerClock& State() {
    static RunnerClock state;
    if (!state.clock) {
        state.clock = &SystemClock();
        state.origin_us = state.clock->NowMicros();
    }
    return state;
}

} // namespace

void Timing_Start(Clock& clock) {
    RunnerClock& state = State();
    state.clock = &clock;
    state.origin_us = clock.NowMicros();
}

int64_t Timing_Time() {
    RunnerClock& state = State();
    return state.clock->NowMicros() - state.origin_us;
}

int64_t Timing_Origin() { return State().origin_us; }

void Timing_SleepUntil(int64_t deadline_us) {
    RunnerClock& state = State();
    state.clock->SleepUntil(state.origin_us + deadline_us);
}
