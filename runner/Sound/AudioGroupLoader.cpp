#include "Sound/AudioGroupLoader.h"

#include <cstdio>
#include <filesystem>

#include "Base/Utf8Path.h"
#include "Package/PackageLoader.h"
#include "Package/PackageReader.h"
#include "Sound/PcmSound.h"

std::string AudioGroupFileName(int32_t group) {
    char name[32];
    std::snprintf(name, sizeof name, "audiogroup%d.dat", group);
    return name;
}

AudioGroupLoader::~AudioGroupLoader() {
    for (std::thread& thread : threads_)
        thread.join();
}

void AudioGroupLoader::Request(int32_t group, const std::string& folder,
                               std::vector<GroupSound> sounds) {
    std::string path = Utf8Text(Utf8Path(folder) / AudioGroupFileName(group));
    threads_.emplace_back(&AudioGroupLoader::Load, this,
                          LoadedGroup{group, false, std::move(sounds), {}, {}}, std::move(path));
}

std::vector<LoadedGroup> AudioGroupLoader::TakeFinished() {
    std::lock_guard lock(mutex_);
    return std::move(finished_);
}

void AudioGroupLoader::Load(LoadedGroup group, std::string path) {
    std::vector<uint8_t> image;
    GamePackage file;
    PackageStatus status = PackageStatus::Failure("it cannot be read");
    if (ReadWholeFile(path, image)) status = ReadAudioGroupFile(std::move(image), file);
    if (!status) {
        group.report = "Audio group " + std::to_string(group.group) + " cannot be loaded from " +
                       path + ": " + status.error + "\n";
    } else {
        group.ok = true;
        group.decoded.resize(group.sounds.size());
        for (size_t i = 0; i < group.sounds.size(); ++i) {
            const GroupSound& sound = group.sounds[i];
            if (sound.audio_index >= 0 && size_t(sound.audio_index) < file.audio.size())
                DecodeSoundData(sound.name, file.audio[size_t(sound.audio_index)], group.decoded[i],
                                group.report);
            else
                group.report += "Sound " + sound.name + " has no data in " + path + "\n";
        }
    }
    std::lock_guard lock(mutex_);
    finished_.push_back(std::move(group));
}
