// The monotonic clock and absolute-deadline sleep of POSIX.
#include <cerrno>
#include <ctime>
#include <sys/prctl.h>

#include "Platform/Clock.h"

namespace {

constexpr int64_t kMicrosPerSecond = 1'000'000;

class PosixClock final : public Clock {
public:
    int64_t NowMicros() override {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return int64_t{now.tv_sec} * kMicrosPerSecond + now.tv_nsec / 1000;
    }

    void SleepUntil(int64_t deadline_us) override {
        // The kernel may otherwise defer a wake-up by the thread's timer slack (50 µs by
        // default), which the frame pacing would have to spin through.
        static thread_local const bool kFineSlack =
            prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
        (void)kFineSlack;
        timespec deadline{};
        deadline.tv_sec = static_cast<time_t>(deadline_us / kMicrosPerSecond);
        deadline.tv_nsec = static_cast<long>(deadline_us % kMicrosPerSecond) * 1000;
        // An absolute deadline survives signals without drifting.
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
        }
    }
};

} // namespace

Clock& SystemClock() {
    static PosixClock clock;
    return clock;
}
