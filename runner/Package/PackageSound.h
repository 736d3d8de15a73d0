// Sounds as loaded: each sound's settings and where its data is; the audio groups by name.
// Sounds of group 0 find their data in the package's audio table.
#pragma once

#include <cstdint>
#include <string_view>

// The loading modes a sound's kind selects. Kinds below 100 are the legacy on/off switch and
// load as plain sounds.
constexpr uint32_t kSoundKindPlain = 100;        // uncompressed data in the package
constexpr uint32_t kSoundKindDecodeOnLoad = 101; // compressed data, decoded at load
constexpr uint32_t kSoundKindCompressed = 102;   // compressed data (this runner decodes it at load too)
constexpr uint32_t kSoundKindStreamed = 103;     // played from its own Ogg file beside the package

struct PackageSound {
    std::string_view name;
    uint32_t kind = 100; // 100-103 a loading mode, below 100 a legacy on/off
    std::string_view extension;
    std::string_view file_name;
    uint32_t effects = 0;
    float volume = 1;
    float pitch = 1;
    int32_t group = 0;
    int32_t audio_index = -1; // in the group's audio table; -1 none
    bool operator==(const PackageSound&) const = default;
};

struct PackageAudioGroup {
    std::string_view name;
    bool operator==(const PackageAudioGroup&) const = default;
};
