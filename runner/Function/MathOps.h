// Number crunching behind the math built-ins, with the precision each one is defined to use:
// some read their arguments as 32-bit floats and round their result to float again, so the
// game sees the same values whatever the host's double arithmetic would give.
//
// MakeColorHsv is the usual hexcone HSV to RGB conversion with hue, saturation and value on a
// 0..255 scale; its result is a runner colour, red | green << 8 | blue << 16.
#pragma once

#include <algorithm>
#include <cstdint>

// Round to nearest, halves to even, through a 64-bit integer (so -0.4 gives +0). NaN and values
// outside the int64 range give INT64_MIN, as the hardware conversion does.
double RoundHalfEven(double x);

// The sine and cosine of x read as a float, rounded to float; magnitudes below 0.00001 become
// exactly 0.
double SinSingle(double x);
double CosSingle(double x);

// ln(x) / ln(2) rather than log2(), to keep the last bit of the defined formula.
double Log2(double x);

// Distance between two points whose coordinates are read as floats; the differences are taken
// in float, the root in double, and the result is rounded to float.
double PointDistance(double x1, double y1, double x2, double y2);

inline double Clamp(double value, double low, double high) {
    return std::min(high, std::max(low, value));
}

inline double Sign(double x) {
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

// Channels outside 0..255 (and NaN) are held at the ends; each colour byte is rounded to
// nearest, halves up.
uint32_t MakeColorHsv(double hue, double saturation, double value);
