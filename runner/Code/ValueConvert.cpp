#include "Code/ValueConvert.h"

#include <algorithm>
#include <limits>
#include <strings.h>

#include "Code/NumberText.h"
#include "Code/RuntimeError.h"

namespace {

const char* StringText(const RValue& v) { return v.str ? v.str->text : nullptr; }

// The text shown in a conversion message.
const char* MessageText(const RValue& v) {
    const char* text = StringText(v);
    return text ? text : "";
}

} // namespace

bool ParseStringReal(const RValue& v, double* out) {
    const char* text = StringText(v);
    if (!text) {
        *out = 0;
        return true;
    }
    return ParseRealPrefix(text, out);
}

bool ParseStringInt64(const RValue& v, int64_t* out) {
    const char* text = StringText(v);
    if (!text) {
        *out = 0;
        return true;
    }
    return ParseInt64Prefix(text, 10, out);
}

bool ParseStringBool(const RValue& v, bool* out) {
    const char* text = StringText(v);
    double number;
    if (!text) {
        *out = false;
    } else if (ParseRealPrefix(text, &number)) {
        *out = number > 0.5;
    } else if (strcasecmp(text, "true") == 0) {
        *out = true;
    } else if (strcasecmp(text, "false") == 0) {
        *out = false;
    } else {
        return false;
    }
    return true;
}

double ToRealSlow(const RValue& v) {
    switch (v.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: return v.val;
    case VALUE_INT32: return v.v32;
    case VALUE_INT64: return static_cast<double>(v.v64);
    case VALUE_PTR: return static_cast<double>(reinterpret_cast<intptr_t>(v.ptr));
    case VALUE_STRING: {
        double result = 0;
        if (!ParseStringReal(v, &result))
            RaiseRuntimeError("unable to convert string \"%s\" to number", MessageText(v));
        return result;
    }
    case VALUE_ARRAY: RaiseRuntimeError("REAL argument is array"); return 0;
    case VALUE_UNDEFINED: RaiseRuntimeError("REAL argument is undefined"); return 0;
    case VALUE_UNSET: RaiseRuntimeError("REAL argument is unset"); return 0;
    default: RaiseRuntimeError("REAL argument incorrect type %d", v.Kind()); return 0;
    }
}

int32_t ToInt32(const RValue& v) {
    switch (v.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: return TruncToInt32(v.val);
    case VALUE_INT32: return v.v32;
    case VALUE_INT64:
    case VALUE_PTR: return static_cast<int32_t>(static_cast<uint32_t>(v.v64)); // the low word
    case VALUE_STRING: {
        int64_t result = 0;
        if (!ParseStringInt64(v, &result)) {
            RaiseRuntimeError("unable to convert string \"%s\" to integer", MessageText(v));
            return 0;
        }
        // A 32-bit parse saturates at the ends of its range.
        return static_cast<int32_t>(std::clamp<int64_t>(result, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    }
    case VALUE_ARRAY: RaiseRuntimeError("I32 argument is array"); return 0;
    case VALUE_UNDEFINED: RaiseRuntimeError("I32 argument is undefined"); return 0;
    case VALUE_UNSET: RaiseRuntimeError("I32 argument is unset"); return 0;
    default: RaiseRuntimeError("I32 argument incorrect type %d", v.Kind()); return 0;
    }
}

int64_t ToInt64(const RValue& v) {
    switch (v.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: return TruncToInt64(v.val);
    case VALUE_INT32: return v.v32;
    case VALUE_INT64:
    case VALUE_PTR: return v.v64;
    case VALUE_STRING: {
        int64_t result = 0;
        if (!ParseStringInt64(v, &result))
            RaiseRuntimeError("unable to convert string \"%s\" to int64", MessageText(v));
        return result;
    }
    case VALUE_ARRAY: RaiseRuntimeError("INT64 argument is array"); return 0;
    case VALUE_UNDEFINED: RaiseRuntimeError("I64 argument is undefined"); return 0;
    case VALUE_UNSET: RaiseRuntimeError("I64 argument is unset"); return 0;
    default: RaiseRuntimeError("I64 argument incorrect type %d", v.Kind()); return 0;
    }
}

bool ToBool(const RValue& v) {
    switch (v.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: return v.val > 0.5;
    case VALUE_INT32: return v.v32 > 0;
    case VALUE_INT64: return v.v64 > 0;
    case VALUE_STRING: {
        bool result = false;
        if (!ParseStringBool(v, &result))
            RaiseRuntimeError("unable to convert string \"%s\" to bool", MessageText(v));
        return result;
    }
    case VALUE_PTR: RaiseRuntimeError("bool argument is ptr"); return false;
    case VALUE_ARRAY: RaiseRuntimeError("bool argument is array"); return false;
    case VALUE_UNDEFINED: return false;
    case VALUE_UNSET: RaiseRuntimeError("bool argument is unset"); return false;
    default: RaiseRuntimeError("bool argument incorrect type %d", v.Kind()); return false;
    }
}

intptr_t ToPointer(const RValue& v) {
    switch (v.Kind()) {
    case VALUE_REAL:
    case VALUE_BOOL: return static_cast<intptr_t>(TruncToInt64(v.val));
    case VALUE_INT32: return v.v32;
    case VALUE_INT64:
    case VALUE_PTR:
    case VALUE_OBJECT: return static_cast<intptr_t>(v.v64);
    case VALUE_STRING: {
        const char* text = StringText(v);
        uint64_t result = 0;
        if (text) ParseUInt64Prefix(text, 16, &result);
        return static_cast<intptr_t>(result);
    }
    case VALUE_ARRAY: RaiseRuntimeError("PTR argument is array"); return 0;
    case VALUE_UNDEFINED: RaiseRuntimeError("PTR argument is undefined"); return 0;
    case VALUE_UNSET: RaiseRuntimeError("PTR argument is unset"); return 0;
    default: RaiseRuntimeError("PTR argument incorrect type %d", v.Kind()); return 0;
    }
}
