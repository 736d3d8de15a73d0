// The ideal start times of frames. A schedule's n-th frame starts at its origin plus n periods,
// worked out from the origin each time: adding a fractional period frame after frame would let
// rounding add up into drift over a long run.
#pragma once

#include <cstdint>

class FrameSchedule {
public:
    // The ideal start of the last frame (the origin before the first).
    double Previous() const { return origin_us_ + static_cast<double>(frames_) * period_us_; }
    // A new schedule whose last frame started at time_us.
    void Restart(double time_us);
    // Counts a frame that started at actual_us, period_us after the last one on the schedule.
    // A frame more than a whole period off its time, or a period of 0 (no limit), starts a new
    // schedule instead, so a late game does not rush to catch up; a new period goes on from the
    // last ideal start.
    void Advance(double period_us, int64_t actual_us);

private:
    double origin_us_ = 0;
    int64_t frames_ = 0;
    double period_us_ = 0;
};
