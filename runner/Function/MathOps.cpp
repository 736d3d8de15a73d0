// The math built-ins' arithmetic. Every conversion to an integer or to float is range-checked
// first: out-of-range conversions are undefined in C++, and NaN must not reach them either.
#include "Function/MathOps.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;

// Half an ulp of FLT_MAX above it: from here on, round-to-nearest gives infinity.
constexpr double kFloatOverflowThreshold = static_cast<double>(FLT_MAX) + 0x1p103;

// A 0..255 channel as a fraction; out-of-range values and NaN are held at the ends.
double UnitFromByteScale(double x) {
    if (!(x > 0)) return 0.0;
    if (x >= 255) return 1.0;
    return x / 255.0;
}

uint32_t ByteFromUnit(double x) {
    return static_cast<uint32_t>(std::lround(x * 255.0));
}

// Double to float, overflowing to infinity as IEEE rounding does, without the undefined
// behaviour of a plain conversion of an out-of-range value.
float NarrowToFloat(double x) {
    double magnitude = std::fabs(x);
    if (std::isfinite(x) && magnitude > FLT_MAX) {
        float limit =
            magnitude < kFloatOverflowThreshold ? FLT_MAX : std::numeric_limits<float>::infinity();
        return x > 0 ? limit : -limit;
    }
    return static_cast<float>(x);
}

// A result narrowed to float, with the tiny ones a float angle leaves near the zeros made 0.
double NearZeroToZero(double value) {
    const float narrowed = NarrowToFloat(value);
    return std::fabs(narrowed) < 0.00001 ? 0.0 : narrowed;
}

} // namespace

double RoundHalfEven(double x) {
    if (!(x >= -kTwoTo63 && x < kTwoTo63)) return static_cast<double>(INT64_MIN);
    return static_cast<double>(std::llrint(x));
}

double SinSingle(double x) {
    return NearZeroToZero(std::sin(static_cast<double>(NarrowToFloat(x))));
}

double CosSingle(double x) {
    return NearZeroToZero(std::cos(static_cast<double>(NarrowToFloat(x))));
}

double Log2(double x) {
    return std::log(x) / std::log(2.0);
}

double PointDistance(double x1, double y1, double x2, double y2) {
    float dx = NarrowToFloat(x2) - NarrowToFloat(x1);
    float dy = NarrowToFloat(y2) - NarrowToFloat(y1);
    double dx2 = static_cast<double>(dx) * dx;
    double dy2 = static_cast<double>(dy) * dy;
    return NarrowToFloat(std::sqrt(dx2 + dy2));
}

uint32_t MakeColorHsv(double hue, double saturation, double value) {
    double h = UnitFromByteScale(hue) * 6.0;
    double s = UnitFromByteScale(saturation);
    double v = UnitFromByteScale(value);
    double sector = std::floor(h);
    double f = h - sector;
    double p = v * (1 - s);
    double q = v * (1 - s * f);
    double t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p; // sector 0, and sector 6 which is hue 255, the full circle
    switch (static_cast<int>(sector)) {
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    case 5: r = v, g = p, b = q; break;
    default: break;
    }
    return ByteFromUnit(r) | ByteFromUnit(g) << 8 | ByteFromUnit(b) << 16;
}
