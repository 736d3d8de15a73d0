// `json_decode`: JSON text as a new map, nested objects and arrays as owned maps and lists.
#pragma once

#include <cstdint>

// The handle of the new map, or -1 when the text does not parse (nothing is created then).
// Text that is not a JSON object is wrapped as the member "default": an array as it is,
// anything else as a string; a leading UTF-8 byte order mark is skipped.
int32_t JsonDecode(const char* text);
// A number given instead of text: the member "default" holds it as a string with two decimals.
int32_t JsonDecodeNumber(double value);
