// The UTF-8 string operations: character counting over 1- to 4-byte and malformed sequences,
// the clamping of positions and counts (including the int32 extremes), chr's encoding, and the
// built-in case table against the C library it stands in for.
#include "Support/Utf8Text.h"

#include <clocale>
#include <cstdint>
#include <cwctype>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

#include "Support/CaseMapping.h"

namespace {

// a, e-acute (2 bytes), euro sign (3 bytes), grinning face (4 bytes).
constexpr const char* kMixed = "a\u00E9\u20AC\U0001F600";

struct TextCase {
    const char* text;
    int32_t a, b;
    const char* expected;
};

TEST(Utf8Text, CountsEachSequenceAndEachMalformedByteAsOneCharacter) {
    // A stray continuation byte, a lead byte without its continuation, a four-byte sequence cut
    // short, bytes that never start a sequence, a whole euro sign and a stray byte.
    const std::pair<const char*, int32_t> cases[] = {
        {"", 0},           {"\u00E9", 1},         {kMixed, 4},         {"\x80", 1},
        {"\xC3" "A", 2},   {"\xF0\x9F\x98", 3},   {"\xFF\xFE\xF8", 3}, {"\xE2\x82\xAC\xAC", 2}};
    for (const auto& [text, length] : cases)
        EXPECT_EQ(Utf8Length(text), length) << text;
}

TEST(Utf8Text, CharAtAndCopyClampLowPositionsAndTakeNothingForBadCounts) {
    const TextCase char_at[] = {{"abc", 0, 0, "a"},         {"abc", 3, 0, "c"},
                                {"abc", 4, 0, ""},          {"abc", INT32_MIN, 0, "a"},
                                {"abc", INT32_MAX, 0, ""},  {kMixed, 2, 0, "\u00E9"},
                                {kMixed, 4, 0, "\U0001F600"}, {"\xE2\x82" "A", 2, 0, "\x82"}};
    for (const TextCase& c : char_at)
        EXPECT_EQ(Utf8CharAt(c.text, c.a), c.expected) << c.text << " " << c.a;
    const TextCase copy[] = {
        {"abcdef", 0, 2, "ab"},          {"abcdef", 5, 10, "ef"},  {"abcdef", 7, 1, ""},
        {"abcdef", 2, -3, ""},           {"abcdef", 2, INT32_MAX, "bcdef"},
        {"abcdef", INT32_MIN, 3, "abc"}, {kMixed, 2, 2, "\u00E9\u20AC"},
        {"\xF0\x9F\x98", 2, 5, "\x9F\x98"}};
    for (const TextCase& c : copy)
        EXPECT_EQ(Utf8Copy(c.text, c.a, c.b), c.expected) << c.text << " " << c.a << " " << c.b;
}

TEST(Utf8Text, PosFindsWholeCharactersOnly) {
    // The tail bytes of one character, and a cut-short needle, are not characters of their own;
    // a rejected byte match must not stop the search for a later, real one.
    const std::tuple<const char*, const char*, int32_t> cases[] = {
        {"", "abc", 0},           {"a", "", 0},         {"cd", "abcabcd", 6},
        {"abcd", "abc", 0},       {"\u20AC", kMixed, 3}, {"\U0001F600", kMixed, 4},
        {"\x82\xAC", "\u20AC", 0}, {"\xE2\x82", "x\u20AC", 0}, {"\xE2\x82", "x\xE2\x82" "A", 2},
        {"\x82\xAC", "\u20AC\x82\xAC", 2}, {"\xE2\x82", "\u20AC\xE2\x82" "A", 2}};
    for (const auto& [needle, text, position] : cases)
        EXPECT_EQ(Utf8Pos(needle, text), position) << needle << " in " << text;
}

TEST(Utf8Text, DeleteAndInsertWorkOnlyInsideTheText) {
    const TextCase deletes[] = {
        {"abcdef", 2, 0, "abcdef"},         {"abcdef", 5, 100, "abcd"},
        {"abcdef", 2, INT32_MAX, "a"},      {"abcdef", 7, 1, "abcdef"},
        {"abcdef", 0, 1, "abcdef"},         {"abcdef", INT32_MIN, INT32_MAX, "abcdef"},
        {kMixed, 2, 2, "a\U0001F600"}};
    for (const TextCase& c : deletes)
        EXPECT_EQ(Utf8Delete(c.text, c.a, c.b), c.expected) << c.text << " " << c.a << " " << c.b;
    // Insertion clamps the position to both ends.
    const TextCase inserts[] = {{"abc", 100, 0, "abcXY"}, {"abc", -5, 0, "XYabc"},
                                {"abc", 2, 0, "aXYbc"}, {"abc", INT32_MIN, 0, "XYabc"}};
    for (const TextCase& c : inserts)
        EXPECT_EQ(Utf8Insert("XY", c.text, c.a), c.expected) << c.a;
    EXPECT_EQ(Utf8Insert("-", "\u00E9\u20AC", 2), "\u00E9-\u20AC");
}

TEST(Utf8Text, UpperConvertsLettersOfAnyScriptAndKeepsOtherBytes) {
    // Some letters have no single upper-case form; some change their length in bytes.
    const std::pair<const char*, const char*> cases[] = {
        {"abc xyz 09!", "ABC XYZ 09!"},
        {"\u00E0\u00E9\u00FF \u03B1\u03C2 \u043F\u0451",
         "\u00C0\u00C9\u0178 \u0391\u03A3 \u041F\u0401"},
        {"\u00DF", "\u00DF"}, {"\u0131", "I"}, {"\u0250", "\u2C6F"}, {"\U00010428", "\U00010400"},
        {"a\xFF" "b\xC3", "A\xFF" "B\xC3"}};
    for (const auto& [text, upper] : cases)
        EXPECT_EQ(Utf8Upper(text), upper) << text;
}

TEST(Utf8Text, FromCodePointFollowsTheChrByteRules) {
    // The one-byte branch keeps the low seven bits.
    const std::pair<int32_t, const char*> cases[] = {
        {65, "A"},  {0, ""}, {-1, "\x7F"}, {-191, "A"}, {0xFFFF, "\xEF\xBF\xBF"},
        {0x1F600, "\U0001F600"}, {INT32_MAX, "\xF7\xBF\xBF\xBF"}};
    for (const auto& [code_point, encoded] : cases)
        EXPECT_EQ(Utf8FromCodePoint(code_point), encoded) << code_point;
    // Every encoding must read back as exactly one character of the expected width.
    for (int32_t c = 1; c <= 0x10FFFF; ++c) {
        std::string encoded = Utf8FromCodePoint(c);
        size_t width = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        ASSERT_EQ(encoded.size(), width) << c;
        ASSERT_EQ(Utf8Length(encoded), 1) << c;
    }
}

// The table was made from glibc's classification; any code point where the two disagree is a
// table error (or a C library with newer Unicode data than the table's).
TEST(CaseMapping, AgreesWithTheCLibraryUnderAUtf8Locale) {
    EXPECT_EQ(UpperCaseOf(0x7FFFFFFF), char32_t{0x7FFFFFFF}); // far past Unicode: as it is
    // setlocale rather than newlocale: glibc's newlocale leaks its search path when LOCPATH is set.
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) GTEST_SKIP() << "no C.UTF-8 locale on this machine";
    int mismatches = 0;
    for (wint_t c = 0; c <= 0x10FFFF; ++c) {
        wint_t expected = std::iswlower(c) ? std::towupper(c) : c;
        if (UpperCaseOf(c) != expected && ++mismatches <= 10)
            ADD_FAILURE() << "U+" << std::hex << c << ": table "
                          << static_cast<uint32_t>(UpperCaseOf(c)) << ", C library " << expected;
    }
    std::setlocale(LC_CTYPE, previous.c_str());
    EXPECT_EQ(mismatches, 0);
}

} // namespace
