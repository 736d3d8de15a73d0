#include "OggTone.h"

#include <cmath>
#include <numbers>

#include "OggEncoder.h"

namespace {

std::vector<float> Samples(const Tone& tone) {
    std::vector<float> samples(size_t(tone.frames));
    for (size_t frame = 0; frame < samples.size(); ++frame)
        samples[frame] = float(tone.amplitude * std::sin(2 * std::numbers::pi * tone.frequency *
                                                         double(frame) / kSampleRate));
    return samples;
}

void AppendWord(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> EncodeOggTone(const Tone& tone) {
    return EncodeOgg(Samples(tone), 1, 0.6f);
}

std::vector<uint8_t> EncodeWaveTone(const Tone& tone) {
    const uint32_t data_bytes = uint32_t(tone.frames * 2);
    std::vector<uint8_t> out;
    auto tag = [&](const char* text) {
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(text[i]));
    };
    tag("RIFF");
    AppendWord(out, 36 + data_bytes, 4);
    tag("WAVE");
    tag("fmt ");
    AppendWord(out, 16, 4);
    AppendWord(out, 1, 2); // PCM
    AppendWord(out, 1, 2); // mono
    AppendWord(out, kSampleRate, 4);
    AppendWord(out, kSampleRate * 2, 4);
    AppendWord(out, 2, 2);
    AppendWord(out, 16, 2);
    tag("data");
    AppendWord(out, data_bytes, 4);
    for (float sample : Samples(tone))
        AppendWord(out, uint32_t(uint16_t(int16_t(std::lround(sample * 32767)))), 2);
    return out;
}

int32_t AddPackageSound(GamePackage& package, std::string_view name, uint32_t kind,
                        const std::vector<uint8_t>* data) {
    PackageSound sound;
    sound.name = name;
    sound.kind = kind;
    if (data) {
        sound.audio_index = int32_t(package.audio.size());
        package.audio.emplace_back(data->data(), data->size());
    }
    package.sounds.push_back(sound);
    return int32_t(package.sounds.size()) - 1;
}
