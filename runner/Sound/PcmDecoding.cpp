#include <cstring>

#include "Sound/OggDecoder.h"
#include "Sound/PcmSound.h"

bool DecodeOgg(std::span<const uint8_t> bytes, PcmSound& out, std::string& error) {
    OggDecoder decoder;
    if (!decoder.OpenMemory(bytes, error)) return false;
    out.channels = decoder.Channels();
    out.rate = decoder.Rate();
    out.samples.clear();
    constexpr int64_t kPiece = 16384;
    for (;;) {
        const size_t at = out.samples.size();
        out.samples.resize(at + size_t(kPiece * out.channels));
        const int64_t frames = decoder.Read(out.samples.data() + at, kPiece, false);
        if (frames < 0) {
            error = "its audio data is damaged";
            return false;
        }
        out.samples.resize(at + size_t(frames * out.channels));
        if (frames < kPiece) return true;
    }
}

namespace {

uint32_t Word(std::span<const uint8_t> bytes, size_t at) {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

uint16_t Half(std::span<const uint8_t> bytes, size_t at) {
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

bool Tag(std::span<const uint8_t> bytes, size_t at, const char* tag) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

} // namespace

bool DecodeWave(std::span<const uint8_t> bytes, PcmSound& out, std::string& error) {
    if (bytes.size() < 12 || !Tag(bytes, 0, "RIFF") || !Tag(bytes, 8, "WAVE")) {
        error = "it is neither Ogg Vorbis nor RIFF WAVE";
        return false;
    }
    int bits = 0;
    bool format_seen = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint64_t length = Word(bytes, at + 4);
        const size_t body = at + 8;
        if (length > bytes.size() - body) break;
        if (Tag(bytes, at, "fmt ") && length >= 16) {
            const uint16_t format = Half(bytes, body);
            out.channels = Half(bytes, body + 2);
            out.rate = int(Word(bytes, body + 4));
            bits = Half(bytes, body + 14);
            if (format != 1 || out.channels < 1 || out.channels > 2 || out.rate <= 0 ||
                (bits != 8 && bits != 16)) {
                error = "its WAVE format is not 8- or 16-bit PCM in one or two channels";
                return false;
            }
            format_seen = true;
        } else if (Tag(bytes, at, "data") && format_seen) {
            const size_t count = size_t(length) / size_t(bits / 8);
            out.samples.resize(count);
            for (size_t i = 0; i < count; ++i)
                out.samples[i] = bits == 8 ? int16_t((bytes[body + i] - 128) << 8)
                                           : int16_t(Half(bytes, body + 2 * i));
            out.samples.resize(count - count % size_t(out.channels));
            return true;
        }
        at = body + size_t(length) + (length & 1);
    }
    error = "its WAVE data is cut off or has no format";
    return false;
}

bool DecodeSoundData(std::string_view name, std::span<const uint8_t> bytes, PcmSound& out,
                     std::string& report) {
    std::string error;
    bool decoded;
    if (IsOggData(bytes)) {
        report.append("Decoding ogg ").append(name).append(" ...\n");
        decoded = DecodeOgg(bytes, out, error);
    } else {
        decoded = DecodeWave(bytes, out, error);
    }
    if (decoded) return true;
    out = {};
    report.append(UndecodableSoundLine(name, error));
    return false;
}

std::string UndecodableSoundLine(std::string_view name, const std::string& reason) {
    return "Sound " + std::string(name) + " cannot be decoded, it stays silent: " + reason + "\n";
}
