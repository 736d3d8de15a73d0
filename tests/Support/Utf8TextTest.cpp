// The UTF-8 string operations: character counting over 1- to 4-byte and malformed sequences,
// the clamping of positions and counts (including the int32 extremes), and chr's encoding.
#include "Support/Utf8Text.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

// a, e-acute (2 bytes), euro sign (3 bytes), grinning face (4 bytes).
constexpr const char* kMixed = "a\u00E9\u20AC\U0001F600";

TEST(Utf8Text, CountsEachSequenceAndEachMalformedByteAsOneCharacter) {
    EXPECT_EQ(Utf8Length(""), 0);
    EXPECT_EQ(Utf8Length("\u00E9"), 1);
    EXPECT_EQ(Utf8Length(kMixed), 4);
    EXPECT_EQ(Utf8Length("\x80"), 1); // stray continuation byte
    EXPECT_EQ(Utf8Length("\xC3"
                         "A"),
              2);                                 // lead byte not followed by a continuation
    EXPECT_EQ(Utf8Length("\xF0\x9F\x98"), 3);     // four-byte sequence cut short
    EXPECT_EQ(Utf8Length("\xFF\xFE\xF8"), 3);     // bytes that never start a sequence
    EXPECT_EQ(Utf8Length("\xE2\x82\xAC\xAC"), 2); // whole euro sign, then a stray byte
}

TEST(Utf8Text, CharAtClampsLowPositionsToTheFirstCharacter) {
    EXPECT_EQ(Utf8CharAt("abc", 0), "a");
    EXPECT_EQ(Utf8CharAt("abc", 3), "c");
    EXPECT_EQ(Utf8CharAt("abc", 4), "");
    EXPECT_EQ(Utf8CharAt("abc", INT32_MIN), "a");
    EXPECT_EQ(Utf8CharAt("abc", INT32_MAX), "");
    EXPECT_EQ(Utf8CharAt(kMixed, 2), "\u00E9");
    EXPECT_EQ(Utf8CharAt(kMixed, 4), "\U0001F600");
    EXPECT_EQ(Utf8CharAt("\xE2\x82"
                         "A",
                         2),
              "\x82");
}

TEST(Utf8Text, CopyTakesWhatIsLeftAndNothingForBadCounts) {
    EXPECT_EQ(Utf8Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Utf8Copy("abcdef", 5, 10), "ef");
    EXPECT_EQ(Utf8Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Utf8Copy("abcdef", 2, -3), "");
    EXPECT_EQ(Utf8Copy("abcdef", 2, INT32_MAX), "bcdef");
    EXPECT_EQ(Utf8Copy("abcdef", INT32_MIN, 3), "abc");
    EXPECT_EQ(Utf8Copy(kMixed, 2, 2), "\u00E9\u20AC");
    EXPECT_EQ(Utf8Copy("\xF0\x9F\x98", 2, 5), "\x9F\x98");
}

TEST(Utf8Text, PosFindsWholeCharactersOnly) {
    EXPECT_EQ(Utf8Pos("", "abc"), 0);
    EXPECT_EQ(Utf8Pos("a", ""), 0);
    EXPECT_EQ(Utf8Pos("cd", "abcabcd"), 6);
    EXPECT_EQ(Utf8Pos("abcd", "abc"), 0);
    EXPECT_EQ(Utf8Pos("\u20AC", kMixed), 3);
    EXPECT_EQ(Utf8Pos("\U0001F600", kMixed), 4);
    EXPECT_EQ(Utf8Pos("\x82\xAC", "\u20AC"), 0);  // the tail bytes of one character
    EXPECT_EQ(Utf8Pos("\xE2\x82", "x\u20AC"), 0); // a cut-short needle is not its head
    EXPECT_EQ(Utf8Pos("\xE2\x82", "x\xE2\x82"
                                  "A"),
              2);
    // A rejected byte match must not stop the search for a later, real one.
    EXPECT_EQ(Utf8Pos("\x82\xAC", "\u20AC\x82\xAC"), 2);
    EXPECT_EQ(Utf8Pos("\xE2\x82", "\u20AC\xE2\x82"
                                  "A"),
              2);
}

TEST(Utf8Text, DeleteRemovesOnlyInsideTheText) {
    EXPECT_EQ(Utf8Delete("abcdef", 2, 0), "abcdef");
    EXPECT_EQ(Utf8Delete("abcdef", 5, 100), "abcd");
    EXPECT_EQ(Utf8Delete("abcdef", 2, INT32_MAX), "a");
    EXPECT_EQ(Utf8Delete("abcdef", 7, 1), "abcdef");
    EXPECT_EQ(Utf8Delete("abcdef", 0, 1), "abcdef");
    EXPECT_EQ(Utf8Delete("abcdef", INT32_MIN, INT32_MAX), "abcdef");
    EXPECT_EQ(Utf8Delete(kMixed, 2, 2), "a\U0001F600");
}

TEST(Utf8Text, InsertClampsThePositionToBothEnds) {
    EXPECT_EQ(Utf8Insert("XY", "abc", 100), "abcXY");
    EXPECT_EQ(Utf8Insert("XY", "abc", -5), "XYabc");
    EXPECT_EQ(Utf8Insert("XY", "abc", 2), "aXYbc");
    EXPECT_EQ(Utf8Insert("XY", "abc", INT32_MIN), "XYabc");
    EXPECT_EQ(Utf8Insert("-", "\u00E9\u20AC", 2), "\u00E9-\u20AC");
}

TEST(Utf8Text, UpperConvertsLettersOfAnyScriptAndKeepsOtherBytes) {
    EXPECT_EQ(Utf8Upper("abc xyz 09!"), "ABC XYZ 09!");
    EXPECT_EQ(Utf8Upper("\u00E0\u00E9\u00FF \u03B1\u03C2 \u043F\u0451"),
              "\u00C0\u00C9\u0178 \u0391\u03A3 \u041F\u0401");
    EXPECT_EQ(Utf8Upper("\u00DF"), "\u00DF");         // no single upper-case form
    EXPECT_EQ(Utf8Upper("\u0131"), "I");              // two bytes become one
    EXPECT_EQ(Utf8Upper("\u0250"), "\u2C6F");         // two bytes become three
    EXPECT_EQ(Utf8Upper("\U00010428"), "\U00010400"); // four-byte letters too
    EXPECT_EQ(Utf8Upper("a\xFF"
                        "b\xC3"),
              "A\xFF"
              "B\xC3");
}

TEST(Utf8Text, FromCodePointFollowsTheChrByteRules) {
    EXPECT_EQ(Utf8FromCodePoint(65), "A");
    EXPECT_EQ(Utf8FromCodePoint(0), "");
    EXPECT_EQ(Utf8FromCodePoint(-1), "\x7F");
    EXPECT_EQ(Utf8FromCodePoint(-191), "A"); // one-byte branch keeps the low seven bits
    EXPECT_EQ(Utf8FromCodePoint(0xFFFF), "\xEF\xBF\xBF");
    EXPECT_EQ(Utf8FromCodePoint(0x1F600), "\U0001F600");
    EXPECT_EQ(Utf8FromCodePoint(INT32_MAX), "\xF7\xBF\xBF\xBF");

    // Every encoding must read back as exactly one character of the expected width.
    for (int32_t c = 1; c <= 0x10FFFF; ++c) {
        std::string encoded = Utf8FromCodePoint(c);
        size_t width = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        ASSERT_EQ(encoded.size(), width) << c;
        ASSERT_EQ(Utf8Length(encoded), 1) << c;
    }
}

} // namespace
