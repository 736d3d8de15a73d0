// The audio output on OpenAL Soft: the sound card, a silent real-time output when there is
// none, or a loopback device whose samples the caller renders itself (tests, benchmarks).
#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "Platform/AudioDevice.h"

class OpenAlAudioDevice final : public AudioDevice {
public:
    // The default output device; null when it cannot be opened.
    static std::unique_ptr<OpenAlAudioDevice> OpenDefault(int sources);
    // Stereo float samples at `rate`, rendered on request (RenderLoopback) or, when
    // `paced` is set, by a thread of its own in real time and thrown away.
    static std::unique_ptr<OpenAlAudioDevice> OpenLoopback(int sources, int rate, bool paced);
    ~OpenAlAudioDevice() override;

    // Mixes the next `frames` stereo frames into `out` (2 floats a frame).
    void RenderLoopback(float* out, int frames);

    int SourceCount() const override { return int(sources_.size()); }
    void SetListenerGain(float gain) override;
    AudioBufferId CreateBuffer() override;
    int FillBuffer(AudioBufferId buffer, const PcmView& pcm) override;
    void DeleteBuffer(AudioBufferId buffer) override;
    void ResetSource(int source) override;
    void SetGain(int source, float gain) override;
    void SetPitch(int source, float pitch) override;
    int PlayBuffer(int source, AudioBufferId buffer, bool loop) override;
    int Pause(int source) override;
    int Resume(int source) override;
    void Stop(int source) override;
    SourceState State(int source) override;
    int Queue(int source, AudioBufferId buffer) override;
    int ProcessedBuffers(int source) override;
    AudioBufferId Unqueue(int source) override;
    double PlayedSeconds(int source) override;

private:
    OpenAlAudioDevice(ALCdevice* device, ALCcontext* context, int sources);
    void RenderInRealTime(int rate);

    ALCdevice* device_;
    ALCcontext* context_;
    std::vector<ALuint> sources_;
    std::atomic<bool> rendering_{false};
    std::thread render_thread_;
};
