#include "Sound/GainFade.h"

#include <algorithm>
#include <cmath>

void ChangeGain(float& gain, GainFade& fade, float target, double time_ms, int64_t now_us) {
    target = std::max(target, 0.0f);
    if (!(time_ms > 0)) {
        gain = target;
        fade = {};
        return;
    }
    fade = {gain, target, now_us, now_us + std::max<int64_t>(1, std::llround(time_ms * 1000))};
}

bool AdvanceFade(float& gain, GainFade& fade, int64_t now_us) {
    if (!fade.Running()) return false;
    if (now_us >= fade.end_us) {
        gain = fade.target_gain;
        fade = {};
        return true;
    }
    const double done = double(now_us - fade.start_us) / double(fade.end_us - fade.start_us);
    gain = float(fade.start_gain + done * (fade.target_gain - fade.start_gain));
    return true;
}
