#include "Code/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

// Numbers read the same whatever locale the process or a library has set: through the "C"
// locale, which the two C libraries name differently.
#ifdef _WIN32
_locale_t CLocale() {
    static const _locale_t c_locale = _create_locale(LC_ALL, "C");
    return c_locale;
}
double StrToDouble(const char* text, char** end) { return _strtod_l(text, end, CLocale()); }
long long StrToInt64(const char* text, char** end, int base) { return _strtoi64_l(text, end, base, CLocale()); }
unsigned long long StrToUInt64(const char* text, char** end, int base) { return _strtoui64_l(text, end, base, CLocale()); }
#else
locale_t CLocale() {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c_locale;
}
double StrToDouble(const char* text, char** end) { return strtod_l(text, end, CLocale()); }
long long StrToInt64(const char* text, char** end, int base) { return strtoll_l(text, end, base, CLocale()); }
unsigned long long StrToUInt64(const char* text, char** end, int base) { return strtoull_l(text, end, base, CLocale()); }
#endif

constexpr double kTwoTo63 = 9223372036854775808.0;

} // namespace

bool ParseRealPrefix(const char* text, double* out) {
    char* end = nullptr;
    double value = StrToDouble(text, &end);
    if (end == text) return false;
    *out = value;
    return true;
}

bool ParseInt64Prefix(const char* text, int base, int64_t* out) {
    char* end = nullptr;
    long long value = StrToInt64(text, &end, base);
    if (end == text) return false;
    *out = value;
    return true;
}

bool ParseUInt64Prefix(const char* text, int base, uint64_t* out) {
    char* end = nullptr;
    unsigned long long value = StrToUInt64(text, &end, base);
    if (end == text) return false;
    *out = value;
    return true;
}

void AppendInt64Text(std::string& out, int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendNumberText(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (value >= -kTwoTo63 && value < kTwoTo63) {
        auto whole = static_cast<int64_t>(value);
        if (static_cast<double>(whole) == value) {
            AppendInt64Text(out, whole);
            return;
        }
    }
    char buffer[512]; // the largest double has 309 digits before the point
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    out.append(buffer, result.ptr);
}

int32_t TruncToInt32(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int64_t TruncToInt64(double value) {
    if (!(value >= -kTwoTo63 && value < kTwoTo63)) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}
