#include "Runner/WakeLateness.h"

#include <algorithm>
#include <cmath>

namespace {

// A wake-up later than the estimate raises it by a quarter, one within it lowers it by 1/400:
// the estimate is in balance when 1 in about 90 wake-ups is later. Steps of a fixed ratio keep a
// moment's stall (the system busy, milliseconds late) from buying seconds of spinning.
constexpr double kRaise = 1.25;
constexpr double kLower = 1 - 1.0 / 400;
// Some lateness is always there; from this floor a few late wake-ups find the platform's.
constexpr double kFloorUs = 10;
// Later than this, it is the machine that is busy rather than the timer that is coarse; a spin
// through it would take the CPU from the other work and be preempted all the same.
constexpr double kCeilingUs = 1000;

} // namespace

int64_t WakeLateness::Micros() const {
    return static_cast<int64_t>(std::ceil(estimate_us_));
}

void WakeLateness::Record(int64_t late_us) {
    const bool later = static_cast<double>(late_us) > estimate_us_;
    estimate_us_ = std::clamp(estimate_us_ * (later ? kRaise : kLower), kFloorUs, kCeilingUs);
}
