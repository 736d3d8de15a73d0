// Conversions of a value to a C++ number or truth value. A value of the wrong kind raises a
// runtime error, after which (when the raise returns) the conversion gives 0 or false.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

double ToRealSlow(const RValue& v);
int32_t ToInt32(const RValue& v);
int64_t ToInt64(const RValue& v);
bool ToBool(const RValue& v);
intptr_t ToPointer(const RValue& v);

inline double ToReal(const RValue& v) { return v.kind == VALUE_REAL ? v.val : ToRealSlow(v); }

// The text of a string value as the C library would parse it; false when nothing parses.
// A null record or text parses as 0.
bool ParseStringReal(const RValue& v, double* out);
bool ParseStringInt64(const RValue& v, int64_t* out);
// "true"/"false" in any letter case, or a number compared with 0.5.
bool ParseStringBool(const RValue& v, bool* out);
