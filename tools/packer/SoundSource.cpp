#include "SoundSource.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "OggEncoder.h"

namespace {

float ReadGain(const AssetDocument& document) {
    const AssetEntry* gain = document.Find("gain");
    if (!gain) return 1;
    gain->ExpectArgs(1, 1);
    if (gain->Number(0) < 0 || gain->Number(0) > 1) gain->FailAt(0, "a gain is from 0 to 1");
    return float(gain->Number(0));
}

Wave ReadWave(const AssetEntry& entry, size_t index) {
    Wave wave = Wave::Square;
    if (!WaveFromName(entry.Arg(index), wave)) entry.Choice(index, {"sine", "square", "triangle", "saw", "noise"});
    return wave;
}

// One or two numbers: a steady value, or the start and end of a ramp.
void ReadRamp(const AssetEntry& entry, double& start, double& end, double low) {
    entry.ExpectArgs(1, 2);
    start = entry.Number(0);
    end = entry.args.size() == 2 ? entry.Number(1) : start;
    if (start < low || end < low) entry.Fail("\"" + entry.key + "\" is " + (low > 0 ? "above 0" : "0 or more"));
}

Tone ReadTone(const AssetEntry& tone_entry) {
    Tone tone;
    for (const AssetEntry& entry : AssetDocument::BodyEntries(tone_entry)) {
        const std::string& key = entry.key;
        if (key == "wave") {
            entry.ExpectArgs(1, 1);
            tone.wave = ReadWave(entry, 0);
        } else if (key == "length" || key == "attack" || key == "release" || key == "duty") {
            entry.ExpectArgs(1, 1);
            const double value = entry.Number(0);
            if (value < 0) entry.FailAt(0, "\"" + key + "\" is 0 or more");
            (key == "length" ? tone.length : key == "attack" ? tone.attack : key == "release" ? tone.release : tone.duty) = value;
        } else if (key == "pitch") {
            ReadRamp(entry, tone.start_hz, tone.end_hz, 1e-3);
        } else if (key == "volume") {
            ReadRamp(entry, tone.start_volume, tone.end_volume, 0);
        } else if (key == "vibrato") {
            entry.ExpectArgs(2, 2);
            tone.vibrato_hz = entry.Number(0);
            tone.vibrato_depth = entry.Number(1);
        } else {
            entry.Fail("unknown key \"" + key + "\"");
        }
    }
    return tone;
}

uint64_t Seed(const std::string& name) {
    uint64_t seed = 0xcbf29ce484222325ULL;
    for (unsigned char c : name)
        seed = (seed ^ c) * 0x100000001b3ULL;
    return seed;
}

} // namespace

SoundSource ReadEffect(const AssetDocument& document, const std::string& name) {
    document.ExpectKeys({"gain", "tone"}, {"tone"});
    SoundSource sound{name, ReadGain(document), false, {}, 0};
    for (const AssetEntry* entry : document.All("tone")) {
        entry->ExpectArgs(0, 0);
        entry->ExpectBody();
        const Tone tone = ReadTone(*entry);
        sound.tones.push_back({tone, sound.length});
        sound.length += tone.length;
    }
    if (sound.tones.empty()) throw AssetError({document.File(), 1, 1}, "a sound needs a \"tone\"");
    return sound;
}

SoundSource ReadMusic(const AssetDocument& document, const std::string& name) {
    document.ExpectKeys({"tempo", "gain", "stream", "voice"}, {"voice"});
    SoundSource sound{name, ReadGain(document), document.Find("stream") != nullptr, {}, 0};
    const AssetEntry& tempo = document.Require("tempo");
    tempo.ExpectArgs(1, 1);
    if (tempo.Number(0) <= 0) tempo.FailAt(0, "the tempo is beats per minute, above 0");
    const double beat = 60.0 / tempo.Number(0);
    for (const AssetEntry* voice : document.All("voice")) {
        voice->ExpectArgs(2, 2);
        voice->ExpectBody();
        Tone tone;
        tone.wave = ReadWave(*voice, 0);
        tone.start_volume = tone.end_volume = voice->Number(1);
        double at = 0; // seconds
        for (const AssetLine& line : voice->body) {
            std::istringstream words(line.text);
            std::string note;
            while (words >> note) {
                if (note == "|") continue;
                const size_t colon = note.find(':');
                double beats = 0;
                std::istringstream length(colon == std::string::npos ? "" : note.substr(colon + 1));
                const std::string pitch = note.substr(0, colon);
                const double hz = NoteFrequency(pitch);
                if (!(length >> beats) || !length.eof() || beats <= 0 || (hz == 0 && pitch != "r"))
                    throw AssetError(line.spot, "\"" + note + "\" is not a note and its beats (C#5:0.5, r:1)");
                if (hz > 0) {
                    tone.length = beats * beat;
                    tone.start_hz = tone.end_hz = hz;
                    sound.tones.push_back({tone, at});
                }
                at += beats * beat;
            }
        }
        // A voice that ends on a rest still lasts to its end.
        sound.length = std::max(sound.length, at);
    }
    if (sound.tones.empty()) throw AssetError({document.File(), 1, 1}, "music needs a \"voice\" with notes");
    return sound;
}

std::vector<float> RenderSound(const SoundSource& sound) {
    std::vector<float> samples(size_t(std::lround(sound.length * kSampleRate)), 0.0f);
    uint64_t noise = Seed(sound.name);
    for (const PlacedTone& placed : sound.tones)
        MixTone(placed.tone, samples, size_t(std::lround(placed.at * kSampleRate)), noise);
    float peak = 0;
    for (float sample : samples)
        peak = std::max(peak, std::abs(sample));
    if (peak > 1)
        for (float& sample : samples)
            sample /= peak;
    return samples;
}
