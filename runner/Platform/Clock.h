// Time as the platform gives it: a monotonic microsecond clock and a sleep. The system clock
// is the real backend; the manual clock is the null one, whose time moves only when a test
// (or a sleep) moves it.
#pragma once

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Microseconds on a monotonic scale with an arbitrary origin.
    virtual int64_t NowMicros() = 0;
    // Sleeps until NowMicros() reaches the deadline (returns at once for a past deadline).
    virtual void SleepUntil(int64_t deadline_us) = 0;
};

Clock& SystemClock();

class ManualClock final : public Clock {
public:
    int64_t NowMicros() override { return now_us_; }
    void SleepUntil(int64_t deadline_us) override {
        if (deadline_us > now_us_) now_us_ = deadline_us;
    }
    void Advance(int64_t us) { now_us_ += us; }

private:
    int64_t now_us_ = 0;
};
