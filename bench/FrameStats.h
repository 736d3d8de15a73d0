// What the game benchmarks print of their timings and draw calls, one `key=value` line piece
// each: "n=… mean_us=… p50_us=… p99_us=… max_us=…" and "draws_mean=… draws_max=…".
#pragma once

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "GameSession.h"

inline std::string TimeSummary(std::vector<double> micros) {
    if (micros.empty()) return "n=0";
    const double mean = std::accumulate(micros.begin(), micros.end(), 0.0) / double(micros.size());
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double share) { return micros[std::min(micros.size() - 1, size_t(share * double(micros.size())))]; };
    char text[160];
    std::snprintf(text, sizeof text, "n=%zu mean_us=%.1f p50_us=%.1f p99_us=%.1f max_us=%.1f", micros.size(), mean,
                  at(0.5), at(0.99), micros.back());
    return text;
}

// The frames' times, and their draw calls.
inline std::string FrameSummary(const std::vector<FrameCost>& frames) {
    std::vector<double> micros;
    size_t draws = 0, most = 0;
    for (const FrameCost& frame : frames) {
        micros.push_back(frame.micros);
        draws += frame.draws;
        most = std::max(most, frame.draws);
    }
    char text[80];
    std::snprintf(text, sizeof text, " draws_mean=%.1f draws_max=%zu", double(draws) / double(std::max<size_t>(1, frames.size())),
                  most);
    return TimeSummary(std::move(micros)) + text;
}
