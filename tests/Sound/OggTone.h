// Test sounds made on the spot, so that no binary file needs to be kept: sine tones, mono at
// 44.1 kHz, as Ogg Vorbis (the packer's encoder) or as 16-bit RIFF WAVE.
#pragma once

#include <cstdint>
#include <vector>

struct Tone {
    double frequency = 441; // 100 samples a period: a whole number of periods loops cleanly
    double amplitude = 0.5;
    int64_t frames = 22050;
};

std::vector<uint8_t> EncodeOggTone(const Tone& tone);
std::vector<uint8_t> EncodeWaveTone(const Tone& tone);
