// The mixer: the package's sound assets, the table of voices on the device's sources, the
// listener's gain, and the audio tick that moves fades, finishes deferred stops and takes over
// the audio groups loaded in the background. Everything here runs on the game thread; the
// streaming thread and the group loader hand their work over through their own classes.
//
// Ids: below kVoiceIdBase an asset, from it up a voice (Sound/SoundIds.h). Without a device
// (none could be opened) the mixer is not running: starts give -1 and gains read 0.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Platform/AudioDevice.h"
#include "Sound/AudioGroupLoader.h"
#include "Sound/CSound.h"
#include "Sound/OggStreams.h"
#include "Sound/SoundIds.h"

class Clock;
struct GamePackage;

class AudioSystem {
public:
    static constexpr int kSourceCount = 128;
    static constexpr float kMinPitch = 0.0039f;
    static constexpr float kMaxPitch = 256.0f;

    // Streamed files and audio group files are looked for in `folder`. With
    // `threaded_streams` off, streams are fed only by Streams().Feed() (tests).
    AudioSystem(std::unique_ptr<AudioDevice> device, Clock& clock, std::string folder,
                bool threaded_streams = true);
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    bool Running() const { return device_ != nullptr; }
    // The package's sounds: data decoded, streamed files found, the groups' loading started.
    void PrepareSounds(const GamePackage& package);

    int32_t Play(int32_t sound, double priority, bool loop);
    void Stop(int32_t id);
    void StopAll();
    void Pause(int32_t id);
    void Resume(int32_t id);
    bool IsPlaying(int32_t id);
    // How far into its sound a voice (or the asset's first voice) is, in seconds; 0 for none.
    double TrackPosition(int32_t id);
    bool Exists(int32_t sound) const { return Asset(sound) != nullptr; }
    void SetGain(int32_t id, float gain, double time_ms);
    float Gain(int32_t id) const;
    void SetPitch(int32_t id, float pitch);
    void SetMasterGain(int32_t listener, float gain);
    // Once per frame.
    void Tick();

    bool GroupLoaded(int32_t group) const;
    // What tests and benchmarks look at.
    const CVoice* FindVoice(int32_t id) const;
    const CSound* Asset(int32_t sound) const;
    OggStreams& Streams() { return *streams_; }
    AudioDevice* Device() { return device_.get(); }

private:
    CSound* Asset(int32_t sound);
    CVoice* ObtainVoice(float priority);
    bool StreamPlaying(int32_t sound);
    // Starts the asset's samples or stream on the voice's source; false when nothing plays.
    bool Attach(CVoice& voice, CSound& asset);
    void Release(CVoice& voice);
    // Pauses or resumes the voices that are in state `from`; a failure is reported as
    // "Error <doing> sound <id> error code <code>".
    void Switch(int32_t id, SourceState from, int (AudioDevice::*action)(int), const char* doing);
    void SendGain(const CVoice& voice);
    // The voice with that id, or every active voice of that asset.
    template <typename Action>
    void ForEachVoice(int32_t id, Action action);
    // Puts decoded samples in a device buffer; a sound without any stays silent.
    void TakeSamples(CSound& sound, const PcmSound& pcm);
    void InstallLoadedGroups();

    std::unique_ptr<AudioDevice> device_;
    Clock& clock_;
    std::string folder_;
    std::unique_ptr<OggStreams> streams_;
    AudioGroupLoader group_loader_;
    std::vector<CSound> sounds_;
    std::vector<bool> groups_loaded_{true};
    std::vector<CVoice> voices_;
    int voice_limit_ = 0;
    int32_t next_voice_id_ = kVoiceIdBase + 1;
};

// The mixer on the sound card (or its silent stand-in) with `system_output`, else on the null
// output; the device it opened is written to the debug output.
std::unique_ptr<AudioSystem> StartAudio(bool system_output, Clock& clock,
                                        const std::string& folder);

// The mixer of the running game; null when audio is off.
AudioSystem* ActiveAudio();
void SetActiveAudio(AudioSystem* audio);
