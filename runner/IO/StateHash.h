// A 64-bit FNV-1a hash built up piece by piece: the recording's checksum, the identity of a game
// package and the end-of-run digest all use it, so two runs compare by one number.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

class StateHash {
public:
    void Bytes(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < size; ++i) value_ = (value_ ^ bytes[i]) * 0x100000001B3ull;
    }
    // Numbers go in as their little-endian bytes whatever the machine.
    template <typename T>
    void Number(T number) {
        uint8_t bytes[sizeof(T)];
        std::memcpy(bytes, &number, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            for (size_t i = 0; i < sizeof(T) / 2; ++i)
                std::swap(bytes[i], bytes[sizeof(T) - 1 - i]);
        Bytes(bytes, sizeof(T));
    }
    // The length first, so that "ab" + "c" and "a" + "bc" differ.
    void Text(std::string_view text) {
        Number(uint64_t(text.size()));
        Bytes(text.data(), text.size());
    }
    uint64_t Value() const { return value_; }

private:
    uint64_t value_ = 0xCBF29CE484222325ull;
};
