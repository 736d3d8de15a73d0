#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "OggEncoder.h"

namespace {

// One cycle of the wave at phase 0..1.
double Cycle(Wave wave, double phase, double duty, double noise_value) {
    switch (wave) {
    case Wave::Sine: return std::sin(2 * std::numbers::pi * phase);
    case Wave::Square: return phase < duty ? 1 : -1;
    case Wave::Triangle: return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
    case Wave::Saw: return 2 * phase - 1;
    case Wave::Noise: return noise_value;
    }
    return 0;
}

double NextNoise(uint64_t& state) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(state >> 11) * 0x1.0p-52 - 1;
}

} // namespace

bool WaveFromName(const std::string& name, Wave& wave) {
    const std::pair<const char*, Wave> kNames[] = {
        {"sine", Wave::Sine}, {"square", Wave::Square}, {"triangle", Wave::Triangle},
        {"saw", Wave::Saw}, {"noise", Wave::Noise}};
    for (const auto& [text, value] : kNames)
        if (name == text) {
            wave = value;
            return true;
        }
    return false;
}

void MixTone(const Tone& tone, std::vector<float>& samples, size_t at, uint64_t& noise) {
    const auto count = size_t(std::lround(tone.length * kSampleRate));
    if (samples.size() < at + count) samples.resize(at + count, 0.0f);
    double phase = 0;
    double noise_value = NextNoise(noise);
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / kSampleRate;
        const double progress = count > 1 ? double(i) / double(count - 1) : 0;
        double hz = tone.start_hz * std::pow(tone.end_hz / tone.start_hz, progress);
        hz *= 1 + tone.vibrato_depth * std::sin(2 * std::numbers::pi * tone.vibrato_hz * t);
        const double volume = tone.start_volume + (tone.end_volume - tone.start_volume) * progress;
        const double rise = tone.attack > 0 ? std::min(1.0, t / tone.attack) : 1;
        const double fall = tone.release > 0 ? std::min(1.0, (tone.length - t) / tone.release) : 1;
        samples[at + i] += float(volume * rise * std::max(0.0, fall) * Cycle(tone.wave, phase, tone.duty, noise_value));
        phase += hz / kSampleRate;
        if (phase >= 1) {
            phase -= std::floor(phase);
            noise_value = NextNoise(noise); // noise holds one value a period: its pitch is its colour
        }
    }
}

double NoteFrequency(const std::string& name) {
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return 0;
    int semitone = kSemitones[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') ++semitone, ++i;
    else if (name[i] == 'b') --semitone, ++i;
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '9') return 0;
    const int midi = 12 * (name[i] - '0' + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}
