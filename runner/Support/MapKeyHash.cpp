// CRC-32 key hashing for maps.
#include "Support/MapKeyHash.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t HashDouble(double value) {
    unsigned char image[sizeof value];
    std::memcpy(image, &value, sizeof value);
    return Crc32(image, sizeof image);
}

} // namespace

uint32_t Crc32(const void* bytes, size_t length) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i)
        crc = kCrcTable[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

uint32_t MapKeyHash(const RValue& key) {
    switch (key.Kind()) {
    case VALUE_STRING: {
        const char* text = key.str ? key.str->text : nullptr;
        return text ? Crc32(text, std::strlen(text)) : 0xFFFFFFFFu;
    }
    case VALUE_REAL:
    case VALUE_BOOL: return HashDouble(key.val);
    case VALUE_INT32: return HashDouble(key.v32);
    case VALUE_INT64: return HashDouble(static_cast<double>(key.v64));
    case VALUE_UNDEFINED:
    case VALUE_UNSET: return 0;
    default: {
        unsigned char image[sizeof key.v64];
        std::memcpy(image, &key.v64, sizeof image);
        return Crc32(image, sizeof image);
    }
    }
}
