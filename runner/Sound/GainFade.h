// A gain that can be set at once or moved linearly to a target over a time, by the clock: the
// same for sound assets and for voices.
#pragma once

#include <cstdint>

struct GainFade {
    float start_gain = 0;
    float target_gain = 0;
    int64_t start_us = 0;
    int64_t end_us = 0; // 0: no fade runs

    bool Running() const { return end_us != 0; }
};

// Time 0 (or less) sets the gain at once and cancels a running fade; a longer time starts a
// fade from the current gain. A negative target counts as 0.
void ChangeGain(float& gain, GainFade& fade, float target, double time_ms, int64_t now_us);
// Moves the gain along a running fade to where it is at `now_us`; the fade ends at its end
// time with the gain at its target. True when a fade ran.
bool AdvanceFade(float& gain, GainFade& fade, int64_t now_us);
