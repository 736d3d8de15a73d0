// The string built-ins' text operations on UTF-8: positions and counts are in characters,
// 1-based, and out-of-range positions are clamped the way each built-in defines, never an error.
//
// A character is a lead byte followed by the continuation bytes it announces (1 to 4 bytes in
// all). A byte that does not start such a complete sequence (a stray continuation byte, a lead
// byte cut short, 0xF8..0xFF) counts as one character on its own and is kept as it is, so no
// byte is ever lost, merged into a neighbour or read past the end of the text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

int64_t Utf8Length(std::string_view text);

// The text's characters as code points; a byte that starts no complete sequence is its own
// value.
std::u32string Utf8CodePoints(std::string_view text);

// The character at the position (positions below 1 read the first), or "" past the end.
std::string Utf8CharAt(std::string_view text, int32_t position);

// Up to count characters from the position on (positions below 1 start at the first).
std::string Utf8Copy(std::string_view text, int32_t position, int32_t count);

// The position of the first occurrence of the needle, or 0 (also when either text is empty).
int64_t Utf8Pos(std::string_view needle, std::string_view text);

// The text without count characters from the position on; unchanged when the position is
// outside the text or count is below 1.
std::string Utf8Delete(std::string_view text, int32_t position, int32_t count);

// The text with the other text inserted before the position, clamped to the text's ends.
std::string Utf8Insert(std::string_view inserted, std::string_view text, int32_t position);

// The text with its lower-case letters, ASCII or not, made upper-case.
std::string Utf8Upper(std::string_view text);

// The encoding of a code point by the chr rules: negative values take the one-byte branch, and
// values beyond U+10FFFF keep only the bits that fit the four-byte form. A zero byte gives "",
// as strings hold no NUL.
std::string Utf8FromCodePoint(int32_t code_point);
