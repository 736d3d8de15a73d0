// Mono PCM into an Ogg Vorbis file's bytes, with libvorbisenc. The same samples and serial
// always give the same bytes, so builds are reproducible.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kSampleRate = 44100;

// Samples in -1..1 at kSampleRate. `quality` is Vorbis' VBR quality, -0.1 to 1.
std::vector<uint8_t> EncodeOgg(std::span<const float> samples, uint32_t serial, float quality = 0.4f);
