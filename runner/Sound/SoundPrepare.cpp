// The package's sounds made ready to play: group 0's decoded at once, streamed ones pointed at
// their files, the other groups' loaded in the background and taken over by the tick.
#include <algorithm>
#include <filesystem>
#include <map>

#include "Base/OutputChannel.h"
#include "Base/Utf8Path.h"
#include "Package/GamePackage.h"
#include "Sound/AudioSystem.h"

namespace {

std::string StreamFileName(const PackageSound& sound) {
    return sound.file_name.empty() ? std::string(sound.name) + ".ogg"
                                   : std::string(sound.file_name);
}

} // namespace

void AudioSystem::PrepareSounds(const GamePackage& package) {
    sounds_.assign(package.sounds.size(), CSound{});
    groups_loaded_.assign(std::max<size_t>(package.audio_groups.size(), 1), false);
    groups_loaded_[0] = true;
    std::map<int32_t, std::vector<GroupSound>> group_sounds;
    for (size_t index = 0; index < package.sounds.size(); ++index) {
        if (!package.sounds[index]) continue;
        const PackageSound& from = *package.sounds[index];
        CSound& sound = sounds_[index];
        sound.exists = true;
        sound.name = from.name;
        sound.gain = from.volume;
        sound.pitch = std::clamp(from.pitch, kMinPitch, kMaxPitch);
        sound.group = from.group;
        sound.streamed = from.kind == kSoundKindStreamed;
        sound.compressed = from.kind == kSoundKindDecodeOnLoad ||
                           from.kind == kSoundKindCompressed || sound.streamed;
        if (sound.streamed) {
            sound.stream_path = Utf8Text(Utf8Path(folder_) / StreamFileName(from));
        } else if (from.group != 0) {
            group_sounds[from.group].push_back({int32_t(index), sound.name, from.audio_index});
        } else if (from.audio_index >= 0 && device_) {
            PcmSound pcm;
            std::string report;
            DecodeSoundData(sound.name, package.audio[size_t(from.audio_index)], pcm, report);
            DebugOutput().Write(report);
            TakeSamples(sound, pcm);
        }
    }
    // Groups whose sounds are all streamed have nothing to load.
    for (size_t group = 1; group < groups_loaded_.size(); ++group)
        if (!group_sounds.contains(int32_t(group))) groups_loaded_[group] = true;
    if (!device_) return;
    for (auto& [group, sounds] : group_sounds)
        group_loader_.Request(group, folder_, std::move(sounds));
}

void AudioSystem::TakeSamples(CSound& sound, const PcmSound& pcm) {
    sound.damaged = pcm.samples.empty();
    if (sound.damaged) return;
    sound.buffer = device_->CreateBuffer();
    if (!sound.buffer || device_->FillBuffer(sound.buffer, pcm.View()) != 0) sound.damaged = true;
}

// A group whose file could not be read (reported by the loader) stays unloaded.
void AudioSystem::InstallLoadedGroups() {
    for (LoadedGroup& group : group_loader_.TakeFinished()) {
        DebugOutput().Write(group.report);
        if (!group.ok) continue;
        for (size_t i = 0; i < group.sounds.size(); ++i)
            TakeSamples(sounds_[size_t(group.sounds[i].sound)], group.decoded[i]);
        groups_loaded_[size_t(group.group)] = true;
    }
}
