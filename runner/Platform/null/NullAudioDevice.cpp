// An audio output that plays nothing: sources keep the states they are put in, so a sound
// stays playing until it is stopped and a stream never drains. Runs without a display (tests,
// replays) see the same voices on every run, whatever the machine's speed.
#include <deque>
#include <mutex>
#include <set>
#include <vector>

#include "Platform/AudioDevice.h"

namespace {

class NullAudioDevice final : public AudioDevice {
public:
    explicit NullAudioDevice(int sources) : sources_(size_t(sources)) {}

    int SourceCount() const override { return int(sources_.size()); }
    void SetListenerGain(float) override {}
    AudioBufferId CreateBuffer() override {
        std::lock_guard lock(mutex_);
        buffers_.insert(next_buffer_);
        return next_buffer_++;
    }
    int FillBuffer(AudioBufferId buffer, const PcmView&) override {
        return Known(buffer) ? 0 : kInvalidName;
    }
    void DeleteBuffer(AudioBufferId buffer) override {
        std::lock_guard lock(mutex_);
        buffers_.erase(buffer);
    }
    void ResetSource(int) override {}
    void SetGain(int, float) override {}
    void SetPitch(int, float) override {}
    int PlayBuffer(int source, AudioBufferId buffer, bool) override {
        if (!Known(buffer)) return kInvalidName;
        std::lock_guard lock(mutex_);
        sources_[size_t(source)] = {SourceState::Playing, {}};
        return 0;
    }
    int Pause(int source) override {
        std::lock_guard lock(mutex_);
        Source& held = sources_[size_t(source)];
        if (held.state == SourceState::Playing) held.state = SourceState::Paused;
        return 0;
    }
    int Resume(int source) override {
        std::lock_guard lock(mutex_);
        sources_[size_t(source)].state = SourceState::Playing;
        return 0;
    }
    void Stop(int source) override {
        std::lock_guard lock(mutex_);
        sources_[size_t(source)] = {};
    }
    SourceState State(int source) override {
        std::lock_guard lock(mutex_);
        return sources_[size_t(source)].state;
    }
    int Queue(int source, AudioBufferId buffer) override {
        if (!Known(buffer)) return kInvalidName;
        std::lock_guard lock(mutex_);
        sources_[size_t(source)].queue.push_back(buffer);
        return 0;
    }
    int ProcessedBuffers(int) override { return 0; }
    AudioBufferId Unqueue(int) override { return 0; }
    double PlayedSeconds(int) override { return 0; }

private:
    static constexpr int kInvalidName = 0xA001; // the value OpenAL gives for a bad name
    struct Source {
        SourceState state = SourceState::Initial;
        std::deque<AudioBufferId> queue;
    };
    bool Known(AudioBufferId buffer) {
        std::lock_guard lock(mutex_);
        return buffers_.contains(buffer);
    }

    std::mutex mutex_;
    std::vector<Source> sources_;
    std::set<AudioBufferId> buffers_;
    AudioBufferId next_buffer_ = 1;
};

} // namespace

std::unique_ptr<AudioDevice> CreateNullAudio(int sources) {
    return std::make_unique<NullAudioDevice>(sources);
}
