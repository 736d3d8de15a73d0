// Tests of the mixer on an OpenAL Soft loopback device: the built-ins are called by name, the
// clock is a manual one, and what the device mixes is rendered into float samples to measure.
#pragma once

#include <cmath>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BuiltinCallFixture.h"
#include "OggTone.h"
#include "Package/GamePackage.h"
#include "Platform/Clock.h"
#include "Platform/openal/OpenAlAudioDevice.h"
#include "Sound/AudioSystem.h"
#include "TempFolder.h"
#include "TestFiles.h"

class AudioTest : public BuiltinCallTest {
protected:
    static constexpr int kRate = 44100;

    void SetUp() override {
        BuiltinCallTest::SetUp();
        auto device = OpenAlAudioDevice::OpenLoopback(AudioSystem::kSourceCount, kRate, false);
        ASSERT_TRUE(device);
        loopback_ = device.get();
        audio_ = std::make_unique<AudioSystem>(std::move(device), clock_, folder_.string(), false);
        SetActiveAudio(audio_.get());
    }
    void TearDown() override {
        SetActiveAudio(nullptr);
        audio_.reset();
        BuiltinCallTest::TearDown();
    }

    // A sound of the package to come, with its data; its id.
    int32_t AddSound(const std::string& name, std::vector<uint8_t> data,
                     uint32_t kind = kSoundKindDecodeOnLoad, int32_t group = 0) {
        const std::vector<uint8_t>& held = data_.emplace_back(std::move(data));
        const int32_t sound = AddPackageSound(package_, names_.emplace_back(name), kind,
                                              group == 0 ? &held : nullptr);
        package_.sounds.back()->group = group;
        return sound;
    }
    // A streamed sound whose file, when given, is written beside the package.
    int32_t AddStreamedSound(const std::string& name, const std::vector<uint8_t>* file) {
        if (file) WriteText(folder_ / (name + ".ogg"), {file->begin(), file->end()});
        return AddPackageSound(package_, names_.emplace_back(name), kSoundKindStreamed, nullptr);
    }
    // Hands the package's sounds to the mixer.
    void Prepare() { audio_->PrepareSounds(package_); }

    // The next frames the device mixes, stereo interleaved; streams are fed between pieces as
    // their thread would.
    std::vector<float> Render(int frames) {
        constexpr int kPiece = 1024;
        std::vector<float> out(size_t(frames) * 2);
        for (int at = 0; at < frames; at += kPiece) {
            loopback_->RenderLoopback(out.data() + size_t(at) * 2, std::min(kPiece, frames - at));
            audio_->Streams().Feed();
        }
        return out;
    }
    // Root mean square of the left channel of the `frames` after the next `frames` (the mixer
    // eases gain changes in).
    double SettledRms(int frames) {
        Render(frames);
        const std::vector<float> stereo = Render(frames);
        double sum = 0;
        for (size_t i = 0; i < stereo.size(); i += 2)
            sum += double(stereo[i]) * stereo[i];
        return std::sqrt(sum / frames);
    }
    // A built-in called with numbers; its result as a number (true and false as 1 and 0).
    template <typename... Args>
    double Audio(const char* name, Args... args) {
        ScopedRValue result = Call(name, RealValue(double(args))...);
        return result.val;
    }
    // One frame of the game: the clock moves on, then the audio tick runs.
    void Frame(int64_t frame_us) {
        clock_.Advance(frame_us);
        audio_->Tick();
    }

    ManualClock clock_;
    OpenAlAudioDevice* loopback_ = nullptr;
    std::unique_ptr<AudioSystem> audio_;
    TempFolder temp_; // the folder beside the package
    std::filesystem::path folder_ = temp_.Path();
    GamePackage package_;
    std::deque<std::string> names_;
    std::deque<std::vector<uint8_t>> data_;
};
