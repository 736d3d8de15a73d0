#include "Sound/OggStreams.h"

#include <algorithm>
#include <cmath>
#include <chrono>
#include <filesystem>
#include <pthread.h>

#include "Base/Utf8Path.h"

namespace {

// A pass every 20 ms keeps the 370 ms queue far from empty.
constexpr auto kFeedPeriod = std::chrono::milliseconds(20);

} // namespace

OggStreams::OggStreams(AudioDevice& device, bool threaded) : device_(device) {
    if (threaded) thread_ = std::thread([this] { Run(); });
}

OggStreams::~OggStreams() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
    for (auto& stream : streams_)
        Release(*stream);
}

void OggStreams::Run() {
    pthread_setname_np(pthread_self(), "Ogg Sync Thread");
    std::unique_lock lock(mutex_);
    while (!quit_) {
        wake_.wait_for(lock, kFeedPeriod);
        lock.unlock();
        Feed();
        lock.lock();
    }
}

StreamStart OggStreams::Start(int source, const std::string& path, bool loop, std::string& error) {
    std::error_code missing;
    if (!std::filesystem::is_regular_file(Utf8Path(path), missing)) return StreamStart::Missing;
    auto stream = std::make_unique<Stream>();
    stream->source = source;
    stream->loop = loop;
    if (!stream->decoder.OpenFile(path, error)) return StreamStart::Damaged;

    std::lock_guard lock(mutex_);
    device_.Stop(source);
    for (AudioBufferId& buffer : stream->buffers) {
        buffer = device_.CreateBuffer();
        if (buffer == 0 || (!stream->finished && !Refill(*stream, buffer))) stream->finished = true;
    }
    if (stream->buffers.back() == 0 || device_.Resume(source) != 0) {
        Release(*stream);
        return StreamStart::DeviceError;
    }
    streams_.push_back(std::move(stream));
    return StreamStart::Started;
}

void OggStreams::End(int source) {
    std::lock_guard lock(mutex_);
    auto found = std::find_if(streams_.begin(), streams_.end(),
                              [source](const auto& stream) { return stream->source == source; });
    if (found == streams_.end()) return;
    Release(**found);
    streams_.erase(found);
}

void OggStreams::Release(Stream& stream) {
    device_.Stop(stream.source);
    for (AudioBufferId buffer : stream.buffers)
        if (buffer) device_.DeleteBuffer(buffer);
}

bool OggStreams::Refill(Stream& stream, AudioBufferId buffer) {
    const int channels = stream.decoder.Channels();
    scratch_.resize(size_t(kBufferFrames * channels));
    const int64_t frames = stream.decoder.Read(scratch_.data(), kBufferFrames, stream.loop);
    // A file damaged midway ends where the damage starts.
    if (frames <= 0) return false;
    const PcmView pcm{std::span<const int16_t>(scratch_.data(), size_t(frames * channels)),
                      channels, stream.decoder.Rate()};
    if (device_.FillBuffer(buffer, pcm) != 0 || device_.Queue(stream.source, buffer) != 0)
        return false;
    stream.frames[size_t(std::find(stream.buffers.begin(), stream.buffers.end(), buffer) - stream.buffers.begin())] =
        frames;
    return frames == kBufferFrames;
}

void OggStreams::Feed() {
    std::lock_guard lock(mutex_);
    for (auto& stream : streams_) {
        for (int played = device_.ProcessedBuffers(stream->source); played > 0; --played) {
            const AudioBufferId buffer = device_.Unqueue(stream->source);
            const auto slot = std::find(stream->buffers.begin(), stream->buffers.end(), buffer);
            if (slot != stream->buffers.end()) stream->played += stream->frames[size_t(slot - stream->buffers.begin())];
            if (buffer == 0 || stream->finished) continue;
            if (!Refill(*stream, buffer)) stream->finished = true;
        }
        if (!stream->finished && device_.State(stream->source) == SourceState::Stopped) {
            ++underruns_;
            device_.Resume(stream->source);
        }
    }
}

double OggStreams::Position(int source) {
    std::lock_guard lock(mutex_);
    for (auto& stream : streams_) {
        if (stream->source != source) continue;
        const double rate = stream->decoder.Rate();
        double seconds = double(stream->played) / rate + device_.PlayedSeconds(source);
        const double length = double(stream->decoder.Length()) / rate;
        if (stream->loop && length > 0) seconds = std::fmod(seconds, length);
        return seconds;
    }
    return 0;
}
