// Comparison of two values: -1, 0 or 1, with an epsilon for numbers. Compiled code compares
// with the global math epsilon and never raises on text that does not parse.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

int32_t CompareValues(const RValue& a, const RValue& b, double epsilon, bool raise_on_bad_text);

// 0.00001 at start; `math_set_epsilon` takes values in [0, 1) and stores 0 as 1e-11.
double MathEpsilon();
void MathSetEpsilon(double epsilon);

// The comparisons of compiled code (==, <, ...), through the math epsilon.
inline int32_t CompareForCode(const RValue& a, const RValue& b) {
    return CompareValues(a, b, MathEpsilon(), false);
}
