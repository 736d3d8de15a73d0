#include "Sound/AudioSystem.h"

#include <algorithm>

#include "Base/OutputChannel.h"
#include "Platform/Clock.h"

namespace {

AudioSystem* g_active_audio = nullptr;

// A stopping voice goes first when a voice must be taken from another sound.
constexpr float kStoppingPriority = -1e9f;
// A deferred stop ends on the tick that brings its counter here.
constexpr int kStopTicks = 3;

bool Sounding(SourceState state) {
    return state == SourceState::Playing || state == SourceState::Paused;
}

} // namespace

AudioSystem* ActiveAudio() {
    return g_active_audio;
}

void SetActiveAudio(AudioSystem* audio) {
    g_active_audio = audio;
}

std::unique_ptr<AudioSystem> StartAudio(bool system_output, Clock& clock,
                                        const std::string& folder) {
    auto device = system_output ? OpenSystemAudio(AudioSystem::kSourceCount)
                                : CreateNullAudio(AudioSystem::kSourceCount);
    return std::make_unique<AudioSystem>(std::move(device), clock, folder);
}

AudioSystem::AudioSystem(std::unique_ptr<AudioDevice> device, Clock& clock, std::string folder,
                         bool threaded_streams)
    : device_(std::move(device)), clock_(clock), folder_(std::move(folder)) {
    if (!device_) return;
    voice_limit_ = std::min(kSourceCount, device_->SourceCount());
    streams_ = std::make_unique<OggStreams>(*device_, threaded_streams);
    device_->SetListenerGain(1.0f);
}

AudioSystem::~AudioSystem() {
    streams_.reset();
    if (!device_) return;
    // A buffer still attached to a source cannot be deleted.
    for (const CVoice& voice : voices_) device_->Stop(voice.source);
    for (CSound& sound : sounds_)
        if (sound.buffer) device_->DeleteBuffer(sound.buffer);
}

CSound* AudioSystem::Asset(int32_t sound) {
    if (sound < 0 || IsVoiceId(sound) || size_t(sound) >= sounds_.size() ||
        !sounds_[size_t(sound)].exists)
        return nullptr;
    return &sounds_[size_t(sound)];
}

const CSound* AudioSystem::Asset(int32_t sound) const {
    return const_cast<AudioSystem*>(this)->Asset(sound);
}

const CVoice* AudioSystem::FindVoice(int32_t id) const {
    for (const CVoice& voice : voices_)
        if (voice.active && voice.id == id) return &voice;
    return nullptr;
}

bool AudioSystem::GroupLoaded(int32_t group) const {
    return group >= 0 && size_t(group) < groups_loaded_.size() && groups_loaded_[size_t(group)];
}

template <typename Action>
void AudioSystem::ForEachVoice(int32_t id, Action action) {
    const bool voice_id = IsVoiceId(id);
    for (CVoice& voice : voices_)
        if (voice.active && (voice_id ? voice.id == id : voice.sound == id)) action(voice);
}

int32_t AudioSystem::Play(int32_t sound, double priority, bool loop) {
    if (!device_) return -1;
    CSound* asset = Asset(sound);
    if (!asset) {
        DebugOutput().Printf("Error: no sound exists for soundid %d\n", sound);
        return 0;
    }
    if (!GroupLoaded(asset->group)) {
        DebugOutput().Printf("%s: Audio Group %d is not loaded\n", asset->name.c_str(),
                             asset->group);
        return -1;
    }
    if (asset->damaged || (asset->streamed && StreamPlaying(sound))) return -1;
    CVoice* voice = ObtainVoice(float(priority));
    if (!voice) return -1;

    const int source = voice->source;
    *voice = CVoice{};
    voice->active = true;
    voice->source = source;
    voice->id = next_voice_id_++;
    voice->sound = sound;
    voice->priority = float(priority);
    voice->loop = loop;
    voice->pitch = asset->pitch;
    device_->ResetSource(source);
    device_->SetGain(source, asset->gain);
    device_->SetPitch(source, asset->pitch);
    if (!Attach(*voice, *asset)) {
        Release(*voice);
        return -1;
    }
    return voice->id;
}

bool AudioSystem::StreamPlaying(int32_t sound) {
    bool playing = false;
    ForEachVoice(sound, [&](CVoice& voice) {
        playing = playing || (voice.stop_counter == 0 && Sounding(device_->State(voice.source)));
    });
    return playing;
}

bool AudioSystem::Attach(CVoice& voice, CSound& asset) {
    if (!asset.streamed) {
        if (asset.buffer == 0) return false;
        if (device_->PlayBuffer(voice.source, asset.buffer, voice.loop) != 0)
            DebugOutput().Printf("Error playing simple sound %d\n", voice.sound);
        return true;
    }
    std::string error;
    switch (streams_->Start(voice.source, asset.stream_path, voice.loop, error)) {
    case StreamStart::Started: return true;
    case StreamStart::Missing:
        DebugOutput().Printf("COggAudio::PlaySound- could not find audio file for sound %s\n",
                             asset.name.c_str());
        return false;
    case StreamStart::Damaged:
        DebugOutput().Write(UndecodableSoundLine(asset.name, error));
        asset.damaged = true;
        return false;
    case StreamStart::DeviceError:
        DebugOutput().Printf("Error playing simple sound %d\n", voice.sound);
        return false;
    }
    return false;
}

CVoice* AudioSystem::ObtainVoice(float priority) {
    for (CVoice& voice : voices_) {
        if (!voice.active) return &voice;
        const SourceState state = device_->State(voice.source);
        if (state == SourceState::Stopped || state == SourceState::Initial) {
            Release(voice);
            return &voice;
        }
    }
    if (int(voices_.size()) < voice_limit_) {
        voices_.push_back(CVoice{});
        voices_.back().source = int(voices_.size()) - 1;
        return &voices_.back();
    }
    CVoice* lowest = nullptr;
    for (CVoice& voice : voices_)
        if (voice.priority < priority && (!lowest || voice.priority < lowest->priority))
            lowest = &voice;
    if (lowest) Release(*lowest); // a hard stop: the source stops at once
    return lowest;
}

void AudioSystem::Release(CVoice& voice) {
    voice.active = false;
    streams_->End(voice.source);
    device_->Stop(voice.source);
}

void AudioSystem::SendGain(const CVoice& voice) {
    device_->SetGain(voice.source, voice.gain * sounds_[size_t(voice.sound)].gain);
}

void AudioSystem::Stop(int32_t id) {
    if (!device_) return;
    ForEachVoice(id, [&](CVoice& voice) {
        if (voice.stop_counter != 0) return;
        voice.stop_counter = 1;
        voice.gain = 0;
        voice.fade = {};
        voice.priority = kStoppingPriority;
        device_->SetGain(voice.source, 0);
    });
}

void AudioSystem::StopAll() {
    for (const CVoice& voice : voices_)
        if (voice.active) Stop(voice.id);
}

void AudioSystem::Pause(int32_t id) {
    Switch(id, SourceState::Playing, &AudioDevice::Pause, "pausing");
}

void AudioSystem::Resume(int32_t id) {
    Switch(id, SourceState::Paused, &AudioDevice::Resume, "resuming");
}

void AudioSystem::Switch(int32_t id, SourceState from, int (AudioDevice::*action)(int),
                         const char* doing) {
    if (!device_) return;
    ForEachVoice(id, [&](CVoice& voice) {
        if (device_->State(voice.source) != from) return;
        if (int error = (device_.get()->*action)(voice.source))
            DebugOutput().Printf("Error %s sound %d error code %d\n", doing, id, error);
    });
}

bool AudioSystem::IsPlaying(int32_t id) {
    if (!device_) return false;
    bool playing = false;
    ForEachVoice(id, [&](CVoice& voice) {
        playing = playing ||
                  (voice.stop_counter == 0 && device_->State(voice.source) == SourceState::Playing);
    });
    return playing;
}

double AudioSystem::TrackPosition(int32_t id) {
    if (!device_) return 0;
    double seconds = 0;
    bool found = false;
    ForEachVoice(id, [&](CVoice& voice) {
        if (found || voice.stop_counter != 0) return;
        found = true;
        const CSound* asset = Asset(voice.sound);
        seconds = asset && asset->streamed ? streams_->Position(voice.source) : device_->PlayedSeconds(voice.source);
    });
    return seconds;
}

void AudioSystem::SetGain(int32_t id, float gain, double time_ms) {
    if (!device_) return;
    const int64_t now = clock_.NowMicros();
    if (CSound* asset = Asset(id)) {
        ChangeGain(asset->gain, asset->fade, gain, time_ms, now);
        ForEachVoice(id, [&](CVoice& voice) {
            if (voice.stop_counter == 0) SendGain(voice);
        });
        return;
    }
    ForEachVoice(id, [&](CVoice& voice) {
        if (voice.stop_counter != 0 || !IsVoiceId(id)) return;
        ChangeGain(voice.gain, voice.fade, gain, time_ms, now);
        SendGain(voice);
    });
}

float AudioSystem::Gain(int32_t id) const {
    if (!device_) return 0;
    if (const CSound* asset = Asset(id)) return asset->gain;
    const CVoice* voice = IsVoiceId(id) ? FindVoice(id) : nullptr;
    return voice ? voice->gain : 0;
}

void AudioSystem::SetPitch(int32_t id, float pitch) {
    if (!device_) return;
    pitch = std::clamp(pitch, kMinPitch, kMaxPitch);
    if (CSound* asset = Asset(id)) asset->pitch = pitch;
    ForEachVoice(id, [&](CVoice& voice) {
        voice.pitch = pitch;
        device_->SetPitch(voice.source, pitch);
    });
}

void AudioSystem::SetMasterGain(int32_t listener, float gain) {
    if (device_ && listener == 0) device_->SetListenerGain(std::max(gain, 0.0f));
}

void AudioSystem::Tick() {
    if (!device_) return;
    InstallLoadedGroups();
    const int64_t now = clock_.NowMicros();
    for (CSound& sound : sounds_)
        AdvanceFade(sound.gain, sound.fade, now);
    for (CVoice& voice : voices_) {
        if (!voice.active) continue;
        if (voice.stop_counter > 0) {
            if (++voice.stop_counter >= kStopTicks) Release(voice);
            continue;
        }
        AdvanceFade(voice.gain, voice.fade, now);
        SendGain(voice);
    }
    streams_->Wake();
}
