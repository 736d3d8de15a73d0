#include "Runner/FrameSchedule.h"

#include <cmath>

void FrameSchedule::Restart(double time_us) {
    origin_us_ = time_us;
    frames_ = 0;
}

void FrameSchedule::Advance(double period_us, int64_t actual_us) {
    if (period_us != period_us_) {
        Restart(Previous());
        period_us_ = period_us;
    }
    const double actual = static_cast<double>(actual_us);
    if (period_us_ > 0 && std::fabs(actual - (Previous() + period_us_)) < period_us_)
        ++frames_;
    else
        Restart(actual);
}
