#include "Code/ValueOperators.h"

#include <cstring>
#include <limits>
#include <string>
#include <type_traits>

#include "Code/Memory.h"
#include "Code/RuntimeError.h"
#include "Code/ValueConvert.h"
#include "Code/ValueText.h"

namespace {

// Integer arithmetic wraps around as the machine's does; the unsigned detour keeps it defined.
int32_t Add32(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int32_t Sub32(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
int32_t Mul32(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }
int64_t Add64(int64_t a, int64_t b) { return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b)); }
int64_t Sub64(int64_t a, int64_t b) { return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b)); }
int64_t Mul64(int64_t a, int64_t b) { return static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b)); }

// The integer paths raise on a zero divisor as `div` does; the lowest value divided by -1
// wraps to itself rather than trapping.
template <typename Int>
bool DivisorIsZero(Int divisor) {
    if (divisor != 0) return false;
    RaiseRuntimeError("Divide by zero");
    return true;
}
template <typename Int>
Int Quotient(Int a, Int b) {
    return (b == -1) ? static_cast<Int>(0 - static_cast<std::make_unsigned_t<Int>>(a)) : a / b;
}
template <typename Int>
Int Remainder(Int a, Int b) {
    return b == -1 ? 0 : a % b;
}

void SetInt64(RValue& v, int64_t i) {
    FreeValue(v);
    v = Int64Value(i);
}

void TypeError(const char* op, const RValue& lhs, const RValue& rhs) {
    if (lhs.Kind() == VALUE_UNDEFINED || rhs.Kind() == VALUE_UNDEFINED) {
        RaiseRuntimeError("unable to add undefined to a string");
        return;
    }
    // The message needs both operands as text, and unset has none: that refusal is the error.
    if (lhs.Kind() == VALUE_UNSET || rhs.Kind() == VALUE_UNSET) {
        RaiseRuntimeError("STRING argument is unset");
        return;
    }
    std::string left = ValueText(lhs);
    std::string right = ValueText(rhs);
    RaiseRuntimeError("invalid type for %s lhs=%s (type=%d), rhs=%s (type=%d)", op, left.c_str(),
                      static_cast<int>(lhs.Kind()), right.c_str(), static_cast<int>(rhs.Kind()));
}

// count * text, into lhs. A count of 0 or less, or a null text, gives the empty string.
void RepeatString(RValue& lhs, const RValue& text_value) {
    int32_t count = ToInt32(lhs);
    std::string_view text = StringView(text_value);
    size_t total = count > 0 ? text.size() * static_cast<size_t>(count) : 0;
    if (total >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        RaiseRuntimeError("unable to repeat a string to %zu bytes", total);
        return;
    }
    char* repeated = static_cast<char*>(MemAlloc(total + 1));
    for (size_t at = 0; at < total; at += text.size()) std::memcpy(repeated + at, text.data(), text.size());
    MakeStringAdopt(lhs, repeated, total);
}

void AppendString(RValue& lhs, const RValue& rhs) {
    std::string_view left = StringView(lhs);
    std::string_view right = StringView(rhs);
    size_t total = left.size() + right.size();
    char* joined = static_cast<char*>(MemAlloc(total + 1));
    std::memcpy(joined, left.data(), left.size());
    std::memcpy(joined + left.size(), right.data(), right.size());
    MakeStringAdopt(lhs, joined, total);
}

double RealMod(double a, double b) {
    if (b == 0) {
        RaiseRuntimeError("unable to mod by 0");
        return a;
    }
    return std::fmod(a, b);
}

} // namespace

void OpAddAssignSlow(RValue& lhs, const RValue& rhs) {
    switch (lhs.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: lhs.val += ToReal(rhs); return; // a bool stays a bool
    case VALUE_INT32:
        if (rhs.Kind() == VALUE_REAL) SetReal(lhs, lhs.v32 + rhs.val);
        else lhs.v32 = Add32(lhs.v32, ToInt32(rhs));
        return;
    case VALUE_INT64:
        if (rhs.Kind() == VALUE_REAL) SetReal(lhs, static_cast<double>(lhs.v64) + rhs.val);
        else lhs.v64 = Add64(lhs.v64, ToInt64(rhs));
        return;
    case VALUE_STRING:
        if (rhs.Kind() != VALUE_STRING) RaiseRuntimeError("unable to add a number to string");
        else AppendString(lhs, rhs);
        return;
    default: TypeError("+=", lhs, rhs); return;
    }
}

void OpSubAssignSlow(RValue& lhs, const RValue& rhs) {
    switch (lhs.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: lhs.val -= ToReal(rhs); return;
    case VALUE_INT32:
        if (rhs.Kind() == VALUE_REAL) SetReal(lhs, lhs.v32 - rhs.val);
        else lhs.v32 = Sub32(lhs.v32, ToInt32(rhs));
        return;
    case VALUE_INT64:
        if (rhs.Kind() == VALUE_REAL) SetReal(lhs, static_cast<double>(lhs.v64) - rhs.val);
        else lhs.v64 = Sub64(lhs.v64, ToInt64(rhs));
        return;
    case VALUE_STRING: {
        double left = ToReal(lhs);
        SetReal(lhs, left - ToReal(rhs));
        return;
    }
    default: TypeError("-=", lhs, rhs); return;
    }
}

void OpMulAssignSlow(RValue& lhs, const RValue& rhs) {
    ValueKind right = rhs.Kind();
    switch (lhs.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL:
        if (right == VALUE_STRING) RepeatString(lhs, rhs);
        else lhs.val *= ToReal(rhs);
        return;
    case VALUE_INT32:
        if (right == VALUE_INT32) lhs.v32 = Mul32(lhs.v32, rhs.v32);
        else if (right == VALUE_INT64) SetInt64(lhs, Mul64(lhs.v32, rhs.v64));
        else if (right == VALUE_STRING) RepeatString(lhs, rhs);
        else SetReal(lhs, lhs.v32 * ToReal(rhs));
        return;
    case VALUE_INT64:
        if (right == VALUE_INT32 || right == VALUE_INT64) lhs.v64 = Mul64(lhs.v64, ToInt64(rhs));
        else if (right == VALUE_STRING) RepeatString(lhs, rhs);
        else SetReal(lhs, static_cast<double>(lhs.v64) * ToReal(rhs));
        return;
    default: TypeError("*=", lhs, rhs); return;
    }
}

void OpDivAssignSlow(RValue& lhs, const RValue& rhs) {
    ValueKind right = rhs.Kind();
    switch (lhs.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: lhs.val /= ToReal(rhs); return;
    case VALUE_INT32:
        if (right == VALUE_INT32) {
            if (!DivisorIsZero(rhs.v32)) lhs.v32 = Quotient(lhs.v32, rhs.v32);
        } else if (right == VALUE_INT64) {
            if (!DivisorIsZero(rhs.v64)) SetInt64(lhs, Quotient<int64_t>(lhs.v32, rhs.v64));
        } else {
            SetReal(lhs, lhs.v32 / ToReal(rhs));
        }
        return;
    case VALUE_INT64:
        if (right == VALUE_PTR) {
            TypeError("/=", lhs, rhs);
        } else if (right == VALUE_INT32 || right == VALUE_INT64) {
            int64_t divisor = ToInt64(rhs);
            if (!DivisorIsZero(divisor)) lhs.v64 = Quotient(lhs.v64, divisor);
        } else {
            SetReal(lhs, static_cast<double>(lhs.v64) / ToReal(rhs));
        }
        return;
    case VALUE_STRING: {
        double left = ToReal(lhs);
        SetReal(lhs, left / ToReal(rhs));
        return;
    }
    default: TypeError("/=", lhs, rhs); return;
    }
}

void OpModAssignSlow(RValue& lhs, const RValue& rhs) {
    ValueKind right = rhs.Kind();
    switch (lhs.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: lhs.val = RealMod(lhs.val, ToReal(rhs)); return;
    case VALUE_INT32:
        if (right == VALUE_PTR) {
            TypeError("%=", lhs, rhs);
        } else if (right == VALUE_INT32) {
            if (!DivisorIsZero(rhs.v32)) lhs.v32 = Remainder(lhs.v32, rhs.v32);
        } else if (right == VALUE_INT64) {
            if (!DivisorIsZero(rhs.v64)) SetInt64(lhs, Remainder<int64_t>(lhs.v32, rhs.v64));
        } else {
            SetReal(lhs, RealMod(lhs.v32, ToReal(rhs)));
        }
        return;
    case VALUE_INT64:
        if (right == VALUE_PTR) {
            TypeError("%=", lhs, rhs);
        } else if (right == VALUE_INT32 || right == VALUE_INT64) {
            int64_t divisor = ToInt64(rhs);
            if (!DivisorIsZero(divisor)) lhs.v64 = Remainder(lhs.v64, divisor);
        } else {
            SetReal(lhs, RealMod(static_cast<double>(lhs.v64), ToReal(rhs)));
        }
        return;
    default: TypeError("%=", lhs, rhs); return;
    }
}

void OpAddAssignIntSlow(RValue& lhs, int32_t rhs) {
    switch (lhs.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: lhs.val += rhs; return;
    case VALUE_INT32: lhs.v32 = Add32(lhs.v32, rhs); return;
    case VALUE_INT64: lhs.v64 = Add64(lhs.v64, rhs); return;
    case VALUE_STRING: RaiseRuntimeError("unable to add a number to string"); return;
    default: TypeError("+=", lhs, Int32Value(rhs)); return;
    }
}

void OpBinarySlow(RValue& result, const RValue& a, const RValue& b, CompoundOperator op) {
    ScopedRValue temp(a);
    op(temp, b);
    CopyValue(result, temp);
}

double OpIntDiv(const RValue& a, const RValue& b) {
    int64_t dividend = ToInt64(a);
    int64_t divisor = ToInt64(b);
    if (DivisorIsZero(divisor)) return 0;
    return static_cast<double>(Quotient(dividend, divisor));
}
