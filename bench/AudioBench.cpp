// The mixer's costs on the game thread: one audio tick with every voice fading (the gain of
// each sent to OpenAL Soft), and decoding Ogg Vorbis at load, per second of audio decoded.
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>

#include "OggEncoder.h"
#include "OggTone.h"
#include "Package/GamePackage.h"
#include "Platform/Clock.h"
#include "Platform/openal/OpenAlAudioDevice.h"
#include "Sound/AudioSystem.h"
#include "Sound/PcmSound.h"

namespace {

// A chord, so that the encoder has more to do than with one sine.
std::vector<uint8_t> MusicSeconds(int seconds) {
    std::vector<float> samples(size_t(seconds) * kSampleRate);
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / kSampleRate;
        samples[i] = float(0.2 * (std::sin(2 * std::numbers::pi * 220 * t) +
                                  std::sin(2 * std::numbers::pi * 277 * t) +
                                  std::sin(2 * std::numbers::pi * 330 * t)));
    }
    return EncodeOgg(samples, 1);
}

void BM_AudioTickEveryVoiceFading(benchmark::State& state) {
    ManualClock clock;
    auto device = OpenAlAudioDevice::OpenLoopback(AudioSystem::kSourceCount, kSampleRate, false);
    if (!device) {
        state.SkipWithError("no OpenAL Soft loopback device");
        return;
    }
    AudioSystem audio(std::move(device), clock, ".", false);
    const std::vector<uint8_t> data = MusicSeconds(1);
    GamePackage package;
    AddPackageSound(package, "sndBench", kSoundKindDecodeOnLoad, &data);
    audio.PrepareSounds(package);
    for (int i = 0; i < AudioSystem::kSourceCount; ++i) {
        const int32_t voice = audio.Play(0, 1, true);
        audio.SetGain(voice, 0, 1e12); // a fade that never ends
    }
    for (auto _ : state) {
        clock.Advance(16'667);
        audio.Tick();
    }
    state.counters["voices"] = AudioSystem::kSourceCount;
}
BENCHMARK(BM_AudioTickEveryVoiceFading)->Unit(benchmark::kMicrosecond);

void BM_DecodeOggAtLoad(benchmark::State& state) {
    const int seconds = int(state.range(0));
    const std::vector<uint8_t> data = MusicSeconds(seconds);
    for (auto _ : state) {
        PcmSound pcm;
        std::string report;
        benchmark::DoNotOptimize(DecodeSoundData("sndBench", data, pcm, report));
    }
    // Time per second of audio decoded.
    state.counters["per_audio_second"] = benchmark::Counter(
        seconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DecodeOggAtLoad)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace
