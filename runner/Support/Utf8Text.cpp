// Character-counted slicing, searching and upper-casing of UTF-8 text. Positions arrive as
// 32-bit values and are widened before any arithmetic, so INT32_MIN and INT32_MAX clamp like
// any other out-of-range position.
#include "Support/Utf8Text.h"

#include "Support/CaseMapping.h"

#include <algorithm>

namespace {

unsigned char ByteAt(std::string_view text, size_t offset) {
    return static_cast<unsigned char>(text[offset]);
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The sequence length a byte announces when it starts a character; 1 for bytes that cannot.
size_t AnnouncedLength(unsigned char lead) {
    if (lead < 0xC0) return 1; // ASCII, or a stray continuation byte
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF8) return 4;
    return 1;
}

// Byte length of the character starting at offset, which must lie inside the text.
size_t CharLength(std::string_view text, size_t offset) {
    size_t length = AnnouncedLength(ByteAt(text, offset));
    if (length > text.size() - offset) return 1;
    for (size_t i = 1; i < length; ++i)
        if (!IsContinuation(ByteAt(text, offset + i))) return 1;
    return length;
}

// Byte offset after the first count characters, or the text's size when it has fewer.
size_t SkipChars(std::string_view text, int64_t count) {
    size_t offset = 0;
    for (; count > 0 && offset < text.size(); --count)
        offset += CharLength(text, offset);
    return offset;
}

// The code point of a well-formed sequence as CharLength delimits it.
char32_t DecodeChar(std::string_view sequence) {
    static constexpr unsigned char kLeadPayload[] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t code_point = ByteAt(sequence, 0) & kLeadPayload[sequence.size() - 1];
    for (size_t i = 1; i < sequence.size(); ++i)
        code_point = (code_point << 6) | (ByteAt(sequence, i) & 0x3Fu);
    return code_point;
}

// A byte match of length bytes at a character start counts only if it also ends on one of the
// text's character boundaries: a needle ending in a cut-short sequence is a different character
// from the whole one in the text.
bool EndsOnCharBoundary(std::string_view text, size_t offset, size_t length) {
    size_t end = offset + length;
    while (offset < end)
        offset += CharLength(text, offset);
    return offset == end;
}

} // namespace

int64_t Utf8Length(std::string_view text) {
    int64_t count = 0;
    for (size_t offset = 0; offset < text.size(); offset += CharLength(text, offset))
        ++count;
    return count;
}

std::u32string Utf8CodePoints(std::string_view text) {
    std::u32string code_points;
    code_points.reserve(text.size());
    for (size_t offset = 0; offset < text.size();) {
        const size_t length = CharLength(text, offset);
        const std::string_view sequence = text.substr(offset, length);
        code_points.push_back(length == 1 ? ByteAt(sequence, 0) : DecodeChar(sequence));
        offset += length;
    }
    return code_points;
}

std::string Utf8CharAt(std::string_view text, int32_t position) {
    size_t offset = SkipChars(text, std::max<int64_t>(int64_t{position} - 1, 0));
    if (offset >= text.size()) return {};
    return std::string(text.substr(offset, CharLength(text, offset)));
}

std::string Utf8Copy(std::string_view text, int32_t position, int32_t count) {
    std::string_view rest = text.substr(SkipChars(text, std::max(position, 1) - int64_t{1}));
    return std::string(rest.substr(0, SkipChars(rest, count)));
}

// Jumps from byte match to byte match, counting characters on the way; a match that starts
// inside a character is skipped.
int64_t Utf8Pos(std::string_view needle, std::string_view text) {
    if (needle.empty()) return 0;
    int64_t position = 1;
    size_t offset = 0;
    for (;;) {
        size_t match = text.find(needle, offset);
        if (match == std::string_view::npos) return 0;
        for (; offset < match; ++position)
            offset += CharLength(text, offset);
        if (offset != match) continue;
        if (EndsOnCharBoundary(text, match, needle.size())) return position;
        offset += CharLength(text, offset);
        ++position;
    }
}

std::string Utf8Delete(std::string_view text, int32_t position, int32_t count) {
    if (count < 1 || position < 1) return std::string(text);
    size_t begin = SkipChars(text, int64_t{position} - 1);
    size_t end = begin + SkipChars(text.substr(begin), count);
    std::string result(text.substr(0, begin));
    result += text.substr(end);
    return result;
}

std::string Utf8Insert(std::string_view inserted, std::string_view text, int32_t position) {
    size_t split = SkipChars(text, int64_t{position} - 1);
    std::string result;
    result.reserve(text.size() + inserted.size());
    result += text.substr(0, split);
    result += inserted;
    result += text.substr(split);
    return result;
}

std::string Utf8Upper(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t offset = 0; offset < text.size();) {
        size_t length = CharLength(text, offset);
        std::string_view sequence = text.substr(offset, length);
        offset += length;
        // A lone byte at or above 0x80 is malformed and passes through untouched.
        if (length == 1 && ByteAt(sequence, 0) >= 0x80) {
            result += sequence;
            continue;
        }
        char32_t code_point = DecodeChar(sequence);
        char32_t upper = UpperCaseOf(code_point);
        if (upper == code_point)
            result += sequence;
        else
            result += Utf8FromCodePoint(static_cast<int32_t>(upper));
    }
    return result;
}

std::string Utf8FromCodePoint(int32_t code_point) {
    uint32_t bits = static_cast<uint32_t>(code_point);
    auto byte = [](uint32_t value) { return static_cast<char>(value); };
    if (code_point < 128) {
        uint32_t ascii = bits & 127;
        return ascii == 0 ? std::string() : std::string(1, byte(ascii));
    }
    if (code_point < 2048) return {byte(0xC0 + ((bits >> 6) & 31)), byte(0x80 + (bits & 63))};
    if (code_point <= 65535)
        return {byte(0xE0 + ((bits >> 12) & 15)), byte(0x80 + ((bits >> 6) & 63)),
                byte(0x80 + (bits & 63))};
    return {byte(0xF0 + ((bits >> 18) & 7)), byte(0x80 + ((bits >> 12) & 63)),
            byte(0x80 + ((bits >> 6) & 63)), byte(0x80 + (bits & 63))};
}
