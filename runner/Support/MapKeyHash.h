// The hash that places a key in a map's bucket. Iteration follows buckets, so the hash fixes
// the order in which `json_encode` lists members: it must stay exactly this CRC-32.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Code/RValue.h"

// Table-driven CRC-32 (reflected polynomial 0xEDB88320), starting at 0xFFFFFFFF and without the
// final inversion, so nothing hashed gives 0xFFFFFFFF.
uint32_t Crc32(const void* bytes, size_t length);

// A string hashes its bytes up to the first NUL; numbers, bools and integers hash the 8 bytes
// of their value as a double; other kinds hash their 8-byte payload; undefined and unset hash
// to 0.
uint32_t MapKeyHash(const RValue& key);
