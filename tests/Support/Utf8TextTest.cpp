// The UTF-8 string operations and chr on a table of cases; the case mapping against the C library.
#include "Support/Utf8Text.h"

#include <clocale>
#include <cstdint>
#include <cwctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "CaseTable.h"
#include "Support/CaseMapping.h"

namespace {

// The operations on the cases of data/utf8_text.txt: each gives its result as text.
TEST(Utf8Text, EachOperationGivesItsResultOnTheTableOfCases) {
    const std::vector<TextCase> cases = ReadCaseTable(TEST_SOURCE_DIR "/Support/data/utf8_text.txt");
    for (const TextCase& c : cases) {
        const std::vector<std::string>& f = c.fields;
        auto n = [&](size_t i) { return int32_t(std::stoll(f[i])); };
        const std::string& op = f[0];
        const std::string result =
            op == "length"    ? std::to_string(Utf8Length(f[1]))
            : op == "char_at" ? Utf8CharAt(f[1], n(2))
            : op == "copy"    ? Utf8Copy(f[1], n(2), n(3))
            : op == "pos"     ? std::to_string(Utf8Pos(f[1], f[2]))
            : op == "delete"  ? Utf8Delete(f[1], n(2), n(3))
            : op == "insert"  ? Utf8Insert(f[1], f[2], n(3))
            : op == "upper"   ? Utf8Upper(f[1])
            : op == "chr"     ? Utf8FromCodePoint(n(1))
                              : "unknown operation";
        EXPECT_EQ(result, f.back()) << c.line;
    }
    EXPECT_EQ(cases.size(), 68u);
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
