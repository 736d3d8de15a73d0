// Tests of the mixer on an OpenAL Soft loopback device: the built-ins are called by name, the
// clock is a manual one, and what the device mixes is rendered into float samples to measure.
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BuiltinCallFixture.h"
#include "Package/GamePackage.h"
#include "Platform/Clock.h"
#include "Platform/openal/OpenAlAudioDevice.h"
#include "Sound/AudioSystem.h"

class AudioTest : public BuiltinCallTest {
protected:
    static constexpr int kRate = 44100;

    void SetUp() override;
    void TearDown() override;

    // A sound of the package to come, with its data; its id.
    int32_t AddSound(const std::string& name, std::vector<uint8_t> data,
                     uint32_t kind = kSoundKindDecodeOnLoad, int32_t group = 0);
    // A streamed sound whose file, when given, is written beside the package.
    int32_t AddStreamedSound(const std::string& name, const std::vector<uint8_t>* file);
    // Hands the package's sounds to the mixer.
    void Prepare();

    // The next frames the device mixes, stereo interleaved; streams are fed between pieces as
    // their thread would.
    std::vector<float> Render(int frames);
    // Root mean square of the left channel.
    static double Rms(const std::vector<float>& stereo);
    // Renders `frames`, then measures the next `frames` (the mixer eases gain changes in).
    double SettledRms(int frames);
    // A built-in called with numbers; its result as a number (true and false as 1 and 0).
    template <typename... Args>
    double Audio(const char* name, Args... args) {
        ScopedRValue result = Call(name, RealValue(double(args))...);
        return result.val;
    }
    // One frame of the game: the clock moves on, then the audio tick runs.
    void Frame(int64_t frame_us);

    ManualClock clock_;
    OpenAlAudioDevice* loopback_ = nullptr;
    std::unique_ptr<AudioSystem> audio_;
    std::filesystem::path folder_;
    GamePackage package_;
    std::deque<std::string> names_;
    std::deque<std::vector<uint8_t>> data_;
};
