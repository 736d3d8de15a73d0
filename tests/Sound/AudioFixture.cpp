#include "AudioFixture.h"

#include <cmath>
#include <fstream>
#include <unistd.h>

#include "OggTone.h"

void AudioTest::SetUp() {
    BuiltinCallTest::SetUp();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ =
        std::filesystem::temp_directory_path() /
        ("audio-" + std::to_string(getpid()) + "-" + test->test_suite_name() + "-" + test->name());
    std::filesystem::create_directories(folder_);
    auto device = OpenAlAudioDevice::OpenLoopback(AudioSystem::kSourceCount, kRate, false);
    ASSERT_TRUE(device);
    loopback_ = device.get();
    audio_ = std::make_unique<AudioSystem>(std::move(device), clock_, folder_.string(), false);
    SetActiveAudio(audio_.get());
}

void AudioTest::TearDown() {
    SetActiveAudio(nullptr);
    audio_.reset();
    std::filesystem::remove_all(folder_);
    BuiltinCallTest::TearDown();
}

int32_t AudioTest::AddSound(const std::string& name, std::vector<uint8_t> data, uint32_t kind,
                            int32_t group) {
    const std::vector<uint8_t>& held = data_.emplace_back(std::move(data));
    const int32_t sound =
        AddPackageSound(package_, names_.emplace_back(name), kind, group == 0 ? &held : nullptr);
    package_.sounds.back()->group = group;
    return sound;
}

int32_t AudioTest::AddStreamedSound(const std::string& name, const std::vector<uint8_t>* file) {
    if (file) {
        std::ofstream out(folder_ / (name + ".ogg"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(file->data()), std::streamsize(file->size()));
    }
    return AddPackageSound(package_, names_.emplace_back(name), kSoundKindStreamed, nullptr);
}

void AudioTest::Prepare() {
    audio_->PrepareSounds(package_);
}

std::vector<float> AudioTest::Render(int frames) {
    constexpr int kPiece = 1024;
    std::vector<float> out(size_t(frames) * 2);
    for (int at = 0; at < frames; at += kPiece) {
        loopback_->RenderLoopback(out.data() + size_t(at) * 2, std::min(kPiece, frames - at));
        audio_->Streams().Feed();
    }
    return out;
}

double AudioTest::Rms(const std::vector<float>& stereo) {
    double sum = 0;
    for (size_t i = 0; i < stereo.size(); i += 2)
        sum += double(stereo[i]) * stereo[i];
    return stereo.empty() ? 0 : std::sqrt(sum / double(stereo.size() / 2));
}

double AudioTest::SettledRms(int frames) {
    Render(frames);
    return Rms(Render(frames));
}

void AudioTest::Frame(int64_t frame_us) {
    clock_.Advance(frame_us);
    audio_->Tick();
}
