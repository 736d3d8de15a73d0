// The runner's microsecond clock: time since the runner started, read from the platform clock
// in use (the system clock unless a test hands in a manual one).
#pragma once

#include <cstdint>

class Clock;

// Makes now time zero on the given clock.
void Timing_Start(Clock& clock);
// Microseconds since Timing_Start (or since the first read, when nothing started the clock).
int64_t Timing_Time();
// The platform clock's reading at the start: a value that differs from run to run.
int64_t Timing_Origin();
// Sleeps until Timing_Time() reaches the deadline.
void Timing_SleepUntil(int64_t deadline_us);
