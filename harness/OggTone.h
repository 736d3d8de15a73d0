// Test sounds made on the spot, so that no binary file needs to be kept: sine tones, mono at
// 44.1 kHz, as Ogg Vorbis (the packer's encoder) or as 16-bit RIFF WAVE; and packages holding
// them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "Package/GamePackage.h"

struct Tone {
    double frequency = 441; // 100 samples a period: a whole number of periods loops cleanly
    double amplitude = 0.5;
    int64_t frames = 22050;
};

std::vector<uint8_t> EncodeOggTone(const Tone& tone);
std::vector<uint8_t> EncodeWaveTone(const Tone& tone);

// Adds a sound record to the package; `data`, when given, becomes the next entry of its audio
// table and must outlive it. The sound's id.
int32_t AddPackageSound(GamePackage& package, std::string_view name, uint32_t kind,
                        const std::vector<uint8_t>* data);
