// The built-in case table against the C library it stands in for, code point by code point.
#include "Support/CaseMapping.h"

#include <clocale>
#include <cstdint>
#include <cwctype>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CaseMapping, MapsLowerCaseLettersOnly) {
    EXPECT_EQ(UpperCaseOf(U'a'), U'A');
    EXPECT_EQ(UpperCaseOf(U'z'), U'Z');
    EXPECT_EQ(UpperCaseOf(U'A'), U'A');
    EXPECT_EQ(UpperCaseOf(U'{'), U'{');
    EXPECT_EQ(UpperCaseOf(U'\u00F7'), U'\u00F7'); // division sign inside the Latin-1 letters
    EXPECT_EQ(UpperCaseOf(U'\u0101'), U'\u0100'); // pairs alternate in Latin Extended-A
    EXPECT_EQ(UpperCaseOf(U'\u0100'), U'\u0100');
    EXPECT_EQ(UpperCaseOf(U'\u044F'), U'\u042F');
    EXPECT_EQ(UpperCaseOf(U'\U0010FFFF'), U'\U0010FFFF');
    EXPECT_EQ(UpperCaseOf(0x7FFFFFFF), char32_t{0x7FFFFFFF});
}

// The table was made from glibc's classification; any code point where the two disagree is a
// table error (or a C library with newer Unicode data than the table's).
TEST(CaseMapping, AgreesWithTheCLibraryUnderAUtf8Locale) {
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
