// The math built-ins' arithmetic: rounding ties and range guards, single-precision results,
// the clamp order, and the HSV colour conversion.
#include "Function/MathOps.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(MathOps, RoundTakesHalvesToTheEvenNeighbourAndAllElseToTheInt64Minimum) {
    const double int64_min = -9223372036854775808.0;
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-2.5, -2}, {int64_min, int64_min},
        {9223372036854774784.0, 9223372036854774784.0}, {9223372036854775808.0, int64_min},
        {kInf, int64_min}, {kNaN, int64_min}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.4))); // through an integer: no negative zero
}

TEST(MathOps, SineWorksInSinglePrecisionAndFlushesTinyResults) {
    EXPECT_EQ(SinSingle(std::numbers::pi), 0.0);
    EXPECT_EQ(SinSingle(0.000001), 0.0);
    EXPECT_EQ(SinSingle(std::numbers::pi / 2), 1.0);
    EXPECT_EQ(SinSingle(0.5), static_cast<double>(std::sin(0.5f)));
    EXPECT_NE(SinSingle(0.5), std::sin(0.5));
    EXPECT_TRUE(std::isnan(SinSingle(1e300))); // the float argument is infinite
}

TEST(MathOps, Log2DividesNaturalLogarithms) {
    EXPECT_EQ(Log2(8), 3.0);
    // ln(10)/ln(2) ends one unit in the last place above log2(10).
    EXPECT_EQ(Log2(10), 3.3219280948873626);
    EXPECT_EQ(Log2(0), -kInf);
    EXPECT_TRUE(std::isnan(Log2(-1)));
}

TEST(MathOps, PointDistanceReadsCoordinatesAsFloats) {
    EXPECT_EQ(PointDistance(0, 0, 3, 4), 5.0);
    EXPECT_EQ(PointDistance(0, 0, 0.1, 0), static_cast<double>(0.1f));
    EXPECT_EQ(PointDistance(1e8, 0, 1e8 + 1, 0), 0.0); // equal once read as floats
    // Squares of float differences can pass FLT_MAX; the root still fits a float.
    EXPECT_FLOAT_EQ(static_cast<float>(PointDistance(0, 0, 1e20, 1e20)), 1.41421356e20f);
    // Narrowing past FLT_MAX rounds as IEEE does: to FLT_MAX within half an ulp, else infinity.
    EXPECT_EQ(PointDistance(0, 0, FLT_MAX + 0x1p102, 0), FLT_MAX);
    EXPECT_EQ(PointDistance(0, 0, 1e39, 0), kInf);
}

TEST(MathOps, ClampPrefersHighAndSignIgnoresNaN) {
    EXPECT_EQ((std::vector{Clamp(5, 0, 10), Clamp(-1, 0, 10), Clamp(11, 0, 10), Clamp(5, 10, 0)}),
              (std::vector<double>{5, 0, 10, 0}));
    const std::pair<double, double> signs[] = {{3, 1}, {-0.5, -1}, {-0.0, 0}, {kNaN, 0}};
    for (const auto& [value, sign] : signs)
        EXPECT_EQ(Sign(value), sign) << value;
}

// The full circle is red again; halfway, 127.5 rounds up; out-of-range and NaN channels are
// held at the ends of 0..255.
TEST(MathOps, HsvColoursPackRedInTheLowByte) {
    const struct {
        double h, s, v;
        uint32_t colour;
    } cases[] = {{0, 255, 255, 0x0000FF},   {42.5, 255, 255, 0x00FFFF}, {85, 255, 255, 0x00FF00},
                 {170, 255, 255, 0xFF0000}, {255, 255, 255, 0x0000FF}, {63.75, 255, 255, 0x00FF80},
                 {100, 0, 128, 0x808080},   {0, 255, 128, 0x000080},   {-40, 300, 1000, 0x0000FF},
                 {kNaN, kNaN, 255, 0xFFFFFF}};
    for (const auto& c : cases)
        EXPECT_EQ(MakeColorHsv(c.h, c.s, c.v), c.colour) << c.h << " " << c.s << " " << c.v;
}

} // namespace
