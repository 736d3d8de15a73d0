// The audio output as the mixer sees it: a fixed set of sources, sample buffers that sources
// play or queue, and the listener's gain. The OpenAL Soft backend is the real one; the null
// device keeps the same bookkeeping and outputs nothing.
//
// Sources are numbered 0 to SourceCount() - 1. Calls that can fail return an error code, 0
// for success. Every call may come from the game thread and from the streaming thread.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

using AudioBufferId = uint32_t; // 0: no buffer

enum class SourceState { Initial, Playing, Paused, Stopped };

// Interleaved signed 16-bit samples.
struct PcmView {
    std::span<const int16_t> samples;
    int channels = 1;
    int rate = 44100;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    virtual int SourceCount() const = 0;
    virtual void SetListenerGain(float gain) = 0;

    virtual AudioBufferId CreateBuffer() = 0;
    virtual int FillBuffer(AudioBufferId buffer, const PcmView& pcm) = 0;
    virtual void DeleteBuffer(AudioBufferId buffer) = 0;

    // Back to a plain voice: relative to the listener at the origin, still, and audible up to
    // the far distance the mixer uses.
    virtual void ResetSource(int source) = 0;
    virtual void SetGain(int source, float gain) = 0;
    virtual void SetPitch(int source, float pitch) = 0;
    // Plays one buffer from its start, once or looping.
    virtual int PlayBuffer(int source, AudioBufferId buffer, bool loop) = 0;
    virtual int Pause(int source) = 0;
    // Starts or resumes what the source holds (a paused buffer, or its queue).
    virtual int Resume(int source) = 0;
    // Stops at once and lets go of every buffer the source holds.
    virtual void Stop(int source) = 0;
    virtual SourceState State(int source) = 0;

    // The queue of a streamed source.
    virtual int Queue(int source, AudioBufferId buffer) = 0;
    virtual int ProcessedBuffers(int source) = 0;
    // The oldest played buffer, taken off the queue (0 when none has been played).
    virtual AudioBufferId Unqueue(int source) = 0;
    // How far the source has played, in seconds: into its buffer, or into its queue from the
    // oldest buffer still queued. 0 for a stopped source and on an output that plays nothing.
    virtual double PlayedSeconds(int source) = 0;
};

// The sound card, or when none can be opened a silent output that still plays in real time;
// one line in the debug output says which. Null only when neither can be made.
std::unique_ptr<AudioDevice> OpenSystemAudio(int sources);
// Outputs nothing; sources stay playing until stopped.
std::unique_ptr<AudioDevice> CreateNullAudio(int sources);
