#include "Variable/BuiltinArgs.h"

#include <cmath>
#include <string>

#include "Code/ArgumentTexts.h"
#include "Code/Builtins.h"
#include "Code/NumberText.h"
#include "Code/RuntimeError.h"
#include "Code/ValueText.h"
#include "Variable/KxObjectBase.h"

namespace {

void WrongKind(const RValue* args, int index, const char* expecting) {
    RaiseRuntimeError("%s argument %d incorrect type (%s) expecting a %s", CurrentBuiltinName(),
                      index + 1, ValueKindName(args[index]), expecting);
}

bool StartsWithDigit(const RValue& v) {
    const char* text = v.str ? v.str->text : nullptr;
    return text && *text >= '0' && *text <= '9';
}

double ParseLeadingNumber(const RValue& v) {
    double value = 0;
    ParseRealPrefix(v.str->text, &value);
    return value;
}

// The number an argument holds when it is one; false for the kinds a number getter refuses.
bool NumericValue(const RValue& v, double* out) {
    switch (v.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: *out = v.val; return true;
    case VALUE_INT32: *out = v.v32; return true;
    case VALUE_INT64: *out = static_cast<double>(v.v64); return true;
    case VALUE_STRING:
        if (!StartsWithDigit(v)) return false;
        *out = ParseLeadingNumber(v);
        return true;
    case VALUE_OBJECT:
        if (!v.obj) return false;
        *out = v.obj->NumberValue();
        return true;
    default: return false;
    }
}

} // namespace

const char* ValueKindName(const RValue& v) {
    if (v.Kind() == VALUE_OBJECT && v.obj && v.obj->IsMethod()) return "method";
    return ValueKindName(v.kind);
}

double ArgReal(const RValue* args, int index) {
    double value = 0;
    if (!NumericValue(args[index], &value)) WrongKind(args, index, "Number (KxGR)");
    return value;
}

double ArgNumber(const RValue* args, int index) {
    double value = 0;
    if (!NumericValue(args[index], &value)) WrongKind(args, index, "Number");
    return value;
}

float ArgFloat(const RValue* args, int index) {
    double value = 0;
    if (!NumericValue(args[index], &value)) WrongKind(args, index, "Number (KxGF)");
    return static_cast<float>(value);
}

int32_t ArgInt32(const RValue* args, int index) {
    const RValue& v = args[index];
    switch (v.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: return TruncToInt32(v.val);
    case VALUE_INT32: return v.v32;
    case VALUE_INT64: return static_cast<int32_t>(static_cast<uint32_t>(v.v64));
    case VALUE_OBJECT:
        if (v.obj) {
            double value = v.obj->NumberValue();
            if (std::isnan(value)) {
                RaiseRuntimeError("%s argument %d unable to convert to integer, result is nan",
                                  CurrentBuiltinName(), index + 1);
                return 0;
            }
            return TruncToInt32(value);
        }
        break;
    case VALUE_STRING:
        if (StartsWithDigit(v)) {
            double value = ParseLeadingNumber(v);
            if (std::isnan(value)) {
                RaiseRuntimeError("%s argument %d unable to convert to integer from provided string (%s), result is nan",
                                  CurrentBuiltinName(), index + 1, v.str->text);
                return 0;
            }
            return TruncToInt32(value);
        }
        break;
    default: break;
    }
    WrongKind(args, index, "Number (KxGI32)");
    return 0;
}

uint32_t ArgUInt32(const RValue* args, int index) {
    double value = 0;
    if (!NumericValue(args[index], &value)) WrongKind(args, index, "Number (KxGU32)");
    return static_cast<uint32_t>(TruncToInt64(value));
}

intptr_t ArgPointer(const RValue* args, int index) {
    const RValue& v = args[index];
    if (v.Kind() == VALUE_PTR) return reinterpret_cast<intptr_t>(v.ptr);
    double value = 0;
    if (!NumericValue(v, &value)) WrongKind(args, index, "Number or Pointer");
    return static_cast<intptr_t>(TruncToInt64(value));
}

bool ArgBool(const RValue* args, int index) {
    const RValue& v = args[index];
    switch (v.Kind()) {
    case VALUE_REAL: return v.val > 0.5;
    case VALUE_BOOL: return v.val != 0;
    case VALUE_INT32: return v.v32 > 0;
    case VALUE_INT64: return v.v64 > 0;
    case VALUE_UNDEFINED: return false;
    default: WrongKind(args, index, "Number (KxGB)"); return false;
    }
}

const char* ArgString(const RValue* args, int index) {
    const RValue& v = args[index];
    switch (v.Kind()) {
    case VALUE_STRING: return (v.str && v.str->text) ? v.str->text : "";
    case VALUE_REAL:
    case VALUE_BOOL:
    case VALUE_INT32:
    case VALUE_INT64:
    case VALUE_OBJECT: return KeepArgumentText(ValueText(v));
    default: WrongKind(args, index, "String (KxGS)"); return "";
    }
}
