// An Ogg Vorbis stream being decoded, from memory or from a file, in pieces: what decoding a
// whole sound at load and feeding a streamed sound share.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vorbis/vorbisfile.h>

// Bytes in memory read as a file by vorbisfile's callbacks.
struct OggMemoryReader {
    std::span<const uint8_t> bytes;
    size_t at = 0;
};

class OggDecoder {
public:
    OggDecoder() = default;
    ~OggDecoder();
    OggDecoder(const OggDecoder&) = delete;
    OggDecoder& operator=(const OggDecoder&) = delete;

    // The bytes must outlive the decoder. False, with the reason, when they are no Ogg Vorbis
    // stream of one or two channels.
    bool OpenMemory(std::span<const uint8_t> bytes, std::string& error);
    bool OpenFile(const std::string& path, std::string& error);

    int Channels() const { return channels_; }
    int Rate() const { return rate_; }
    // Frames from start to end; 0 when unknown.
    int64_t Length();
    // Decodes up to `frames` frames into `out`; at the end, when `loop` is set, goes on from
    // the start without a gap. The frames decoded: fewer only at the end; -1 when the data
    // is damaged.
    int64_t Read(int16_t* out, int64_t frames, bool loop);

private:
    bool Opened(int result, std::string& error);

    OggVorbis_File file_{};
    bool open_ = false;
    int channels_ = 0;
    int rate_ = 0;
    OggMemoryReader memory_;
};
