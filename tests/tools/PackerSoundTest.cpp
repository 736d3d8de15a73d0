// Sounds made at build time: the synthesiser's tones measured on their samples, effects and
// music read from their text, and the Ogg encoding decoded again by the runner.
#include <cmath>
#include <gtest/gtest.h>

#include "OggEncoder.h"
#include "Sound/PcmSound.h"
#include "SoundSource.h"
#include "Synth.h"

namespace {

// Sign changes per second over samples[from, to).
double Crossings(const std::vector<float>& samples, size_t from, size_t to) {
    int count = 0;
    for (size_t i = from + 1; i < to; ++i)
        if ((samples[i - 1] < 0) != (samples[i] < 0)) ++count;
    return count * double(kSampleRate) / double(to - from);
}

std::vector<float> Effect(std::string_view text) {
    return RenderSound(ReadEffect(AssetDocument::Parse(text, "s.sound"), "sfxTest"));
}

} // namespace

TEST(PackerSound, TonesHaveTheirPitchLengthAndSweepAndKeepThemThroughOgg) {
    EXPECT_NEAR(NoteFrequency("C4"), 261.626, 1e-3); // A4 and A5 are measured in the music
    EXPECT_NEAR(NoteFrequency("C#4"), NoteFrequency("Db4"), 1e-9);
    EXPECT_EQ(NoteFrequency("H4"), 0);
    EXPECT_EQ(NoteFrequency("A"), 0);

    const std::vector<float> steady = Effect("tone\n  wave square\n  length 0.5\n  pitch 441\n  volume 0.5\n");
    ASSERT_EQ(steady.size(), size_t(kSampleRate / 2));
    EXPECT_NEAR(Crossings(steady, 0, steady.size()), 2 * 441, 10);
    EXPECT_NEAR(std::abs(steady[steady.size() / 2]), 0.5, 1e-6); // not scaled

    // A sweep from 200 to 800 Hz, then a second tone after it.
    const std::vector<float> sweep = Effect(
        "tone\n  wave sine\n  length 1\n  pitch 200 800\ntone\n  wave triangle\n  length 0.25\n  pitch 1000\n");
    ASSERT_EQ(sweep.size(), size_t(kSampleRate * 5 / 4));
    EXPECT_NEAR(Crossings(sweep, 0, kSampleRate / 10), 2 * 200, 60);
    EXPECT_NEAR(Crossings(sweep, kSampleRate * 9 / 10, kSampleRate), 2 * 800, 120);
    EXPECT_NEAR(Crossings(sweep, kSampleRate * 21 / 20, kSampleRate * 6 / 5), 2 * 1000, 60);

    // The Ogg encoding decodes to the same tone and repeats exactly.
    const std::vector<float> tone = Effect("tone\n  wave sine\n  length 1\n  pitch 440\n  volume 0.6\n  attack 0\n  release 0\n");
    const std::vector<uint8_t> bytes = EncodeOgg(tone, 7);
    EXPECT_EQ(EncodeOgg(tone, 7), bytes);
    EXPECT_LT(bytes.size(), tone.size()); // well under one byte a sample
    PcmSound pcm;
    std::string reason;
    ASSERT_TRUE(DecodeOgg(bytes, pcm, reason)) << reason;
    EXPECT_EQ(pcm.channels, 1);
    ASSERT_EQ(pcm.samples.size(), tone.size());
    const std::vector<float> decoded(pcm.samples.begin(), pcm.samples.end());
    EXPECT_NEAR(Crossings(decoded, 1000, decoded.size() - 1000), 2 * 440, 4);
    double error = 0;
    for (size_t i = 1000; i + 1000 < decoded.size(); ++i)
        error = std::max(error, std::abs(decoded[i] / 32768.0 - tone[i]));
    EXPECT_LT(error, 0.05);
}

TEST(PackerSound, MusicVoicesPlayTogetherToTheBeat) {
    // 120 beats a minute: half a second a beat; the second voice ends on a rest.
    const SoundSource music = ReadMusic(AssetDocument::Parse(R"(tempo 120
gain 0.5
stream
voice square 0.8
  | A4:2 r:1 A5:1 |
voice square 0.8
  | A3:1 r:4 |
)", "m.music"), "bgmTest");
    EXPECT_TRUE(music.streamed);
    const std::vector<float> samples = RenderSound(music);
    EXPECT_FLOAT_EQ(music.gain, 0.5f);
    ASSERT_EQ(samples.size(), size_t(kSampleRate * 5 / 2));
    // Both voices at once are louder than one: the mix is scaled to fit, not clipped.
    float peak = 0;
    for (float sample : samples)
        peak = std::max(peak, std::abs(sample));
    EXPECT_NEAR(peak, 1, 1e-6);
    EXPECT_NEAR(Crossings(samples, kSampleRate * 6 / 10, kSampleRate * 9 / 10), 2 * 440, 20);
    EXPECT_EQ(Crossings(samples, kSampleRate * 21 / 20, kSampleRate * 29 / 20), 0); // the rest
    EXPECT_NEAR(Crossings(samples, kSampleRate * 31 / 20, kSampleRate * 39 / 20), 2 * 880, 30);
}
