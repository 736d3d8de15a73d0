// A test clock whose time moves by one microsecond whenever it is read, so that a spinning
// wait ends; sleeps jump to their deadline, or wake_late_us past it, and are recorded.
#pragma once

#include <vector>

#include "Platform/Clock.h"

class SpinClock final : public Clock {
public:
    int64_t NowMicros() override { return now_us++; }
    void SleepUntil(int64_t deadline_us) override {
        sleeps.push_back(deadline_us);
        if (deadline_us > now_us) now_us = deadline_us + wake_late_us;
    }
    int64_t now_us = 1000;
    int64_t wake_late_us = 0;
    std::vector<int64_t> sleeps;
};
