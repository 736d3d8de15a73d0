// A sound decoded to interleaved signed 16-bit samples, and the decoding of the two kinds of
// sound data a package holds: Ogg Vorbis (compressed) and RIFF WAVE with 8- or 16-bit PCM.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/AudioDevice.h"

struct PcmSound {
    int channels = 1;
    int rate = 44100;
    std::vector<int16_t> samples;

    PcmView View() const { return {samples, channels, rate}; }
    int64_t Frames() const { return int64_t(samples.size()) / channels; }
};

inline bool IsOggData(std::span<const uint8_t> bytes) {
    return bytes.size() >= 4 && bytes[0] == 'O' && bytes[1] == 'g' && bytes[2] == 'g' &&
           bytes[3] == 'S';
}

// False, with the reason, for data that is damaged or of another kind.
bool DecodeOgg(std::span<const uint8_t> bytes, PcmSound& out, std::string& error);
bool DecodeWave(std::span<const uint8_t> bytes, PcmSound& out, std::string& error);

// A package sound's data decoded for playing. The lines for the debug output are added to
// `report`: Ogg Vorbis as it is decoded ("Decoding ogg <name> ..."), damaged data with its
// reason. False for damaged data, which leaves `out` empty.
bool DecodeSoundData(std::string_view name, std::span<const uint8_t> bytes, PcmSound& out,
                     std::string& report);
// The line that reports a sound whose data cannot be decoded.
std::string UndecodableSoundLine(std::string_view name, const std::string& reason);
