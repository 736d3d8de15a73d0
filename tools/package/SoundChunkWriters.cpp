// Audio data, audio groups and sounds.
#include "ChunkWriters.h"

using namespace package;

void WriteAudioChunk(PackageWriteState& state) {
    const auto& audio = state.package.audio;
    const uint32_t references = state.out.AppendList(audio.size());
    for (size_t i = 0; i < audio.size(); ++i) {
        state.out.Patch(references + 4 * i, state.out.Append(uint32_t(audio[i].size())));
        state.out.AppendBytes(audio[i]);
        state.out.AlignTo4();
    }
}

void WriteAudioGroupChunk(PackageWriteState& state) {
    WriteResources(state, state.package.audio_groups, [&](const PackageAudioGroup& group) {
        const uint32_t at = state.out.Append(AudioGroupRecord{0});
        state.out.ReferString(at + offsetof(AudioGroupRecord, name), group.name);
        return at;
    });
}

void WriteSoundChunk(PackageWriteState& state) {
    WriteResources(state, state.package.sounds, [&](const PackageSound& sound) {
        SoundRecord record{0,           sound.kind,    0,
                           0,           sound.effects, sound.volume,
                           sound.pitch, sound.group,   sound.audio_index};
        const uint32_t at = state.out.Append(record);
        state.out.ReferString(at + offsetof(SoundRecord, name), sound.name);
        state.out.ReferString(at + offsetof(SoundRecord, extension), sound.extension);
        state.out.ReferString(at + offsetof(SoundRecord, file_name), sound.file_name);
        return at;
    });
}
