// Number parsing and formatting with the C library's rules, independent of the process locale:
// a game must read "2.5" the same on every player's machine.
#pragma once

#include <cstdint>
#include <string>

// Parse like strtod, strtoll and strtoull in the "C" locale: leading white space is skipped,
// the longest valid prefix is taken and the rest ignored. Each returns false (and leaves *out
// untouched) when no character at all could be consumed. Integer parses clamp on overflow.
bool ParseRealPrefix(const char* text, double* out);
bool ParseInt64Prefix(const char* text, int base, int64_t* out);
bool ParseUInt64Prefix(const char* text, int base, uint64_t* out);

// The text form of a number: "NaN"; an integral value in the 64-bit range as a whole number
// ("%lld"); anything else with two decimals ("%.2f").
void AppendNumberText(std::string& out, double value);
void AppendInt64Text(std::string& out, int64_t value);

// Truncation toward zero as the x86 converters do it: NaN and values outside the target range
// give the smallest integer instead of undefined behaviour.
int32_t TruncToInt32(double value);
int64_t TruncToInt64(double value);
