// Byte surgery on writer-made packages for the package tests: finding chunks and records,
// reading and patching words, adding chunks at the end.
#pragma once

#include "Package/PackageFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace package_test {

using Bytes = std::vector<uint8_t>;

inline uint32_t Word(const Bytes& bytes, uint64_t offset) {
    uint32_t word = 0;
    std::memcpy(&word, bytes.data() + offset, 4);
    return word;
}

inline void SetWord(Bytes& bytes, uint64_t offset, uint32_t word) {
    std::memcpy(bytes.data() + offset, &word, 4);
}

// The payload offset of the first chunk with the tag; fails the test when there is none.
inline uint32_t ChunkAt(const Bytes& bytes, uint32_t tag) {
    for (uint64_t at = 8; at + 8 <= bytes.size(); at += 8 + Word(bytes, at + 4))
        if (Word(bytes, at) == tag) return uint32_t(at + 8);
    ADD_FAILURE() << "no chunk with tag " << tag;
    return 0;
}

// Reference `index` of the list that starts a chunk.
inline uint32_t ReferenceAt(const Bytes& bytes, uint32_t tag, uint32_t index) {
    return Word(bytes, ChunkAt(bytes, tag) + 4 + 4 * index);
}

inline void FixFormLength(Bytes& bytes) {
    SetWord(bytes, 4, uint32_t(bytes.size() - 8));
}

// Appends a chunk and keeps the container's length word right.
inline void AppendChunk(Bytes& bytes, uint32_t tag, const Bytes& payload) {
    const uint32_t header[2] = {tag, uint32_t(payload.size())};
    bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(header),
                 reinterpret_cast<const uint8_t*>(header) + 8);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    FixFormLength(bytes);
}

// The offset of the first occurrence of `text` as a pooled string's characters.
inline uint32_t StringAt(const Bytes& bytes, const std::string& text) {
    auto found = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
    EXPECT_NE(found, bytes.end()) << text;
    return uint32_t(found - bytes.begin());
}

} // namespace package_test
