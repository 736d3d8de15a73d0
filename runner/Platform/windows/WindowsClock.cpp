// The performance counter and a high-resolution waitable timer: Windows' monotonic clock and
// its sleep to a deadline.
#include <windows.h>

#include "Platform/Clock.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

constexpr int64_t kMicrosPerSecond = 1'000'000;

class WindowsClock final : public Clock {
public:
    WindowsClock() {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        frequency_ = frequency.QuadPart;
    }

    int64_t NowMicros() override {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        // In two parts, so that a counter running for days does not overflow the product.
        return now.QuadPart / frequency_ * kMicrosPerSecond + now.QuadPart % frequency_ * kMicrosPerSecond / frequency_;
    }

    void SleepUntil(int64_t deadline_us) override {
        // A high-resolution timer wakes within a fraction of a millisecond; older systems
        // without one get a plain timer, whose wake-ups the frame pacing spins through.
        static thread_local HANDLE timer = CreateTimer();
        for (int64_t left = deadline_us - NowMicros(); left > 0; left = deadline_us - NowMicros()) {
            LARGE_INTEGER due{};
            due.QuadPart = -left * 10; // relative, in 100 ns units
            if (!timer || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
                Sleep(DWORD(left / 1000));
                continue;
            }
            WaitForSingleObject(timer, INFINITE);
        }
    }

private:
    static HANDLE CreateTimer() {
        HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
        return timer ? timer : CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }

    int64_t frequency_ = 1;
};

} // namespace

Clock& SystemClock() {
    static WindowsClock clock;
    return clock;
}
