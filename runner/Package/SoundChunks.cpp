// Audio data, audio groups and sounds.
#include "Package/PackageChunkReaders.h"

#include <algorithm>
#include <cstdint>

using namespace package;

void ReadAudioChunk(PackageReadState& state, const PackageChunk& chunk) {
    std::vector<uint32_t> references = state.ChunkReferences(chunk, "audio data");
    auto& audio = state.package.audio;
    audio.reserve(references.size());
    for (size_t i = 0; i < references.size(); ++i) {
        PackageBytes::Context context(state.bytes, "audio data", int64_t(i));
        state.NeedReference(references[i], "entry", chunk.offset + 4 + 4 * uint64_t(i));
        const uint32_t length = state.bytes.Word(references[i], "length");
        const uint64_t data_at = uint64_t(references[i]) + 4;
        state.bytes.Need(data_at, length, "data");
        audio.emplace_back(state.bytes.Data() + data_at, length);
    }
}

void ReadAudioGroupChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "audio group", state.package.audio_groups, [&](uint32_t at) {
        auto record = state.bytes.Read<AudioGroupRecord>(at, "audio group record");
        return PackageAudioGroup{state.bytes.String(record.name, "name")};
    });
}

void ReadSoundChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "sound", state.package.sounds, [&](uint32_t at) {
        auto record = state.bytes.Read<SoundRecord>(at, "sound record");
        PackageSound sound{state.bytes.String(record.name, "name"),
                           record.kind,
                           state.bytes.String(record.extension, "extension"),
                           state.bytes.String(record.file_name, "file name"),
                           record.effects,
                           record.volume,
                           record.pitch,
                           record.group,
                           record.audio};
        // Group 0 is always there; the others come from the audio group list.
        const size_t groups = std::max<size_t>(state.package.audio_groups.size(), 1);
        state.CheckIndex(record.group, groups, false, "audio group",
                         at + offsetof(SoundRecord, group));
        // Only group 0's data is in this file.
        const size_t data_count = record.group == 0 ? state.package.audio.size() : SIZE_MAX;
        state.CheckIndex(record.audio, data_count, true, "audio data index",
                         at + offsetof(SoundRecord, audio));
        return sound;
    });
}
