#include "Code/ValueCompare.h"

#include <cmath>
#include <cstring>

#include "Code/NumberText.h"
#include "Code/RuntimeError.h"
#include "Code/ValueConvert.h"

namespace {

double g_math_epsilon = 0.00001;

template <typename T>
int32_t SignOf(T a, T b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool IsNumberOrBool(ValueKind kind) { return kind == VALUE_REAL || kind == VALUE_BOOL; }
bool IsInteger(ValueKind kind) { return kind == VALUE_INT32 || kind == VALUE_INT64; }

int32_t CompareReals(double a, double b, double epsilon) {
    double d = a - b;
    if (std::isnan(d) && std::isinf(a) && std::isinf(b)) d = 0;
    if (std::fabs(d) <= epsilon) return 0;
    return (d >= 0 || std::isnan(d)) ? 1 : -1;
}

int64_t IntegerOf(const RValue& v) { return v.Kind() == VALUE_INT32 ? v.v32 : v.v64; }

const char* TextOf(const RValue& v) {
    const char* text = v.str ? v.str->text : nullptr;
    return text ? text : "";
}

int32_t CompareStrings(const RValue& a, const RValue& b) {
    if (a.str == b.str) return 0;
    const char* ta = a.str ? a.str->text : nullptr;
    const char* tb = b.str ? b.str->text : nullptr;
    if (ta && tb) {
        int order = std::strcmp(ta, tb); // compares as unsigned bytes
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    // A null text equals the empty text and no other.
    const char* other = ta ? ta : tb;
    return (!other || *other == '\0') ? 0 : 1;
}

// A text that does not parse never compares equal, and raises only when asked to.
int32_t BadText(const RValue& str, const char* target, bool raise) {
    if (raise) RaiseRuntimeError("unable to convert string \"%s\" to %s", TextOf(str), target);
    return 1;
}

// Compares a string with a number, integer or bool standing on either side; the string is
// parsed by the other side's rules.
int32_t CompareWithString(const RValue& a, const RValue& b, bool raise) {
    bool string_first = a.Kind() == VALUE_STRING;
    const RValue& str = string_first ? a : b;
    const RValue& other = string_first ? b : a;
    ValueKind kind = other.Kind();
    if (kind == VALUE_REAL) {
        double parsed;
        if (!ParseStringReal(str, &parsed)) return BadText(str, "float", raise);
        return string_first ? CompareReals(parsed, other.val, 0) : CompareReals(other.val, parsed, 0);
    }
    int64_t text_side;
    int64_t other_side;
    if (IsInteger(kind)) {
        if (!ParseStringInt64(str, &text_side)) return BadText(str, "int64", raise);
        other_side = IntegerOf(other);
    } else {
        bool parsed;
        if (!ParseStringBool(str, &parsed)) return BadText(str, "bool", raise);
        text_side = parsed ? 1 : 0;
        other_side = TruncToInt64(other.val);
    }
    return string_first ? SignOf(text_side, other_side) : SignOf(other_side, text_side);
}

bool ParsesAgainstString(ValueKind kind) {
    return kind == VALUE_REAL || kind == VALUE_BOOL || IsInteger(kind);
}

} // namespace

int32_t CompareValues(const RValue& a, const RValue& b, double epsilon, bool raise_on_bad_text) {
    ValueKind ka = a.Kind();
    ValueKind kb = b.Kind();
    if (IsNumberOrBool(ka) && IsNumberOrBool(kb)) return CompareReals(a.val, b.val, epsilon);
    if ((ka == VALUE_REAL && kb == VALUE_INT32) || (ka == VALUE_INT32 && kb == VALUE_REAL)) {
        float fa = ka == VALUE_REAL ? static_cast<float>(a.val) : static_cast<float>(a.v32);
        float fb = kb == VALUE_REAL ? static_cast<float>(b.val) : static_cast<float>(b.v32);
        float d = fa - fb;
        if (std::fabs(d) <= epsilon) return 0;
        return d < 0 ? -1 : 1;
    }
    if (IsInteger(ka) && IsInteger(kb)) return SignOf(IntegerOf(a), IntegerOf(b));
    if (IsNumberOrBool(ka) && IsInteger(kb)) return SignOf(TruncToInt64(a.val), IntegerOf(b));
    if (IsInteger(ka) && IsNumberOrBool(kb)) return SignOf(IntegerOf(a), TruncToInt64(b.val));
    if (ka == VALUE_STRING && kb == VALUE_STRING) return CompareStrings(a, b);
    if ((ka == VALUE_STRING && ParsesAgainstString(kb)) ||
        (kb == VALUE_STRING && ParsesAgainstString(ka)))
        return CompareWithString(a, b, raise_on_bad_text);
    if (ka == VALUE_ARRAY && kb == VALUE_ARRAY) return (a.arr && a.arr == b.arr) ? 0 : 1;
    if (ka == VALUE_PTR && kb == VALUE_PTR) {
        auto pa = reinterpret_cast<uintptr_t>(a.ptr);
        auto pb = reinterpret_cast<uintptr_t>(b.ptr);
        return pa == pb ? 0 : (pa < pb ? 1 : -1);
    }
    if (ka == VALUE_UNDEFINED && kb == VALUE_UNDEFINED) return 0;
    return ka == VALUE_REAL ? -1 : 1;
}

double MathEpsilon() { return g_math_epsilon; }

void MathSetEpsilon(double epsilon) {
    if (!(epsilon >= 0 && epsilon < 1)) return;
    g_math_epsilon = epsilon == 0 ? 0.00000000001 : epsilon;
}
