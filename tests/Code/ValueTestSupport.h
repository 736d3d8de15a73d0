// Shorthands for building values in tests.
#pragma once

#include <string_view>

#include "Code/RValue.h"

inline ScopedRValue Str(std::string_view text) {
    ScopedRValue v;
    MakeString(v, text);
    return v;
}

inline ScopedRValue Num(double d) { return ScopedRValue(RealValue(d)); }

// A string value whose record has no text.
inline ScopedRValue NullTextStr() {
    ScopedRValue v;
    MakeString(v, static_cast<const char*>(nullptr));
    return v;
}
