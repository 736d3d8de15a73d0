#include "Sound/OggDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
    auto& memory = *static_cast<OggMemoryReader*>(source);
    if (size == 0) return 0;
    const size_t items = std::min(count, (memory.bytes.size() - memory.at) / size);
    std::memcpy(out, memory.bytes.data() + memory.at, items * size);
    memory.at += items * size;
    return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto& memory = *static_cast<OggMemoryReader*>(source);
    const int64_t base = whence == SEEK_CUR   ? int64_t(memory.at)
                         : whence == SEEK_END ? int64_t(memory.bytes.size())
                                              : 0;
    const int64_t to = base + offset;
    if (to < 0 || to > int64_t(memory.bytes.size())) return -1;
    memory.at = size_t(to);
    return 0;
}

long TellMemory(void* source) {
    return long(static_cast<OggMemoryReader*>(source)->at);
}

const ov_callbacks kMemoryCallbacks = {ReadMemory, SeekMemory, nullptr, TellMemory};

std::string VorbisError(int code) {
    switch (code) {
    case OV_EREAD: return "it cannot be read";
    case OV_ENOTVORBIS: return "it is not Ogg Vorbis";
    case OV_EVERSION: return "its Vorbis version is unknown";
    case OV_EBADHEADER: return "its Vorbis header is damaged";
    default: return "it is damaged (error " + std::to_string(code) + ")";
    }
}

} // namespace

OggDecoder::~OggDecoder() {
    if (open_) ov_clear(&file_);
}

bool OggDecoder::OpenMemory(std::span<const uint8_t> bytes, std::string& error) {
    memory_ = {bytes, 0};
    return Opened(ov_open_callbacks(&memory_, &file_, nullptr, 0, kMemoryCallbacks), error);
}

bool OggDecoder::OpenFile(const std::string& path, std::string& error) {
    return Opened(ov_fopen(path.c_str(), &file_), error);
}

bool OggDecoder::Opened(int result, std::string& error) {
    if (result != 0) {
        error = VorbisError(result);
        return false;
    }
    open_ = true;
    const vorbis_info* info = ov_info(&file_, -1);
    channels_ = info ? info->channels : 0;
    rate_ = info ? int(info->rate) : 0;
    if (channels_ < 1 || channels_ > 2 || rate_ <= 0) {
        error =
            "it has " + std::to_string(channels_) + " channels at " + std::to_string(rate_) + " Hz";
        return false;
    }
    return true;
}

int64_t OggDecoder::Read(int16_t* out, int64_t frames, bool loop) {
    int64_t done = 0;
    bool rewound = false; // a stream with no samples at all must not loop for ever
    while (done < frames) {
        int section = 0;
        const int64_t bytes = (frames - done) * channels_ * int64_t(sizeof(int16_t));
        const long read = ov_read(&file_, reinterpret_cast<char*>(out + done * channels_),
                                  int(std::min<int64_t>(bytes, 1 << 20)), 0, 2, 1, &section);
        if (read == OV_HOLE) continue; // a gap in the data: decoding resumes after it
        if (read < 0) return -1;
        if (read == 0) {
            if (!loop || rewound || ov_pcm_seek(&file_, 0) != 0) break;
            rewound = true;
            continue;
        }
        rewound = false;
        done += read / (channels_ * int64_t(sizeof(int16_t)));
    }
    return done;
}

int64_t OggDecoder::Length() {
    const ogg_int64_t frames = open_ ? ov_pcm_total(&file_, -1) : 0;
    return frames > 0 ? frames : 0;
}
