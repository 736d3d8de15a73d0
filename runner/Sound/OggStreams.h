// Streamed sounds: each plays from its Ogg file through a short queue of buffers on its source,
// which the "Ogg Sync Thread" keeps full, decoding ahead of the playback. A looping stream goes
// on from the file's start inside the buffer that holds its end, so no gap is heard.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Platform/AudioDevice.h"
#include "Sound/OggDecoder.h"

enum class StreamStart { Started, Missing, Damaged, DeviceError };

class OggStreams {
public:
    static constexpr int kBuffers = 4;
    static constexpr int64_t kBufferFrames = 4096;

    // `threaded`: feed from a thread of its own; otherwise only Feed() feeds.
    OggStreams(AudioDevice& device, bool threaded);
    ~OggStreams();
    OggStreams(const OggStreams&) = delete;
    OggStreams& operator=(const OggStreams&) = delete;

    // Opens the file, queues the first buffers on the source and starts it. `error` says what
    // is wrong with a damaged file.
    StreamStart Start(int source, const std::string& path, bool loop, std::string& error);
    // Stops the source's stream, if it has one, and frees its buffers.
    void End(int source);
    // Refills every stream's played buffers; a stream that ran dry before its end is counted
    // as an underrun and restarted.
    void Feed();
    // Where the source's stream is in its file, in seconds (from the file's start again after
    // each loop); 0 when the source has no stream.
    double Position(int source);
    // Asks the thread for a pass now rather than at its next turn.
    void Wake() { wake_.notify_one(); }
    int64_t Underruns() const { return underruns_; }

private:
    struct Stream {
        int source = 0;
        bool loop = false;
        bool finished = false; // the file's end is queued
        OggDecoder decoder;
        std::array<AudioBufferId, kBuffers> buffers{};
        std::array<int64_t, kBuffers> frames{}; // what each buffer holds
        int64_t played = 0;                     // frames of the buffers taken off the queue
    };
    // Decodes the next piece into the buffer and queues it; false at the end of the file.
    bool Refill(Stream& stream, AudioBufferId buffer);
    void Release(Stream& stream);
    void Run();

    AudioDevice& device_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::unique_ptr<Stream>> streams_;
    std::vector<int16_t> scratch_;
    std::atomic<int64_t> underruns_{0};
    bool quit_ = false;
    std::thread thread_;
};
