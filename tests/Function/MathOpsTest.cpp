// The math built-ins' arithmetic: rounding, single precision, clamp order, HSV colours.
#include "Function/MathOps.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "CaseTable.h"

namespace {

TEST(MathOps, EachGivesItsResultOnTheTableOfCases) {
    const std::vector<TextCase> cases =
        ReadCaseTable(TEST_SOURCE_DIR "/Function/data/math_cases.txt");
    using Arguments = const std::vector<double>&;
    const std::map<std::string, double (*)(Arguments)> operations = {
        {"round", [](Arguments n) { return double(RoundHalfEven(n[0])); }},
        {"sin", [](Arguments n) { return double(SinSingle(n[0])); }},
        {"log2", [](Arguments n) { return double(Log2(n[0])); }},
        {"distance", [](Arguments n) { return double(PointDistance(n[0], n[1], n[2], n[3])); }},
        {"clamp", [](Arguments n) { return double(Clamp(n[0], n[1], n[2])); }},
        {"sign", [](Arguments n) { return double(Sign(n[0])); }},
        {"hsv", [](Arguments n) { return double(MakeColorHsv(n[0], n[1], n[2])); }}};
    for (const TextCase& c : cases) {
        std::vector<double> n;
        for (size_t i = 1; i < c.fields.size(); ++i) n.push_back(std::stod(c.fields[i]));
        const auto operation = operations.find(c.fields[0]);
        ASSERT_NE(operation, operations.end()) << "no such operation: " << c.line;
        const double result = operation->second(n);
        EXPECT_TRUE(result == n.back() || (std::isnan(result) && std::isnan(n.back())))
            << c.line << ": " << result;
    }
    EXPECT_EQ(cases.size(), 41u);
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.4))); // through an integer: no negative zero
    EXPECT_EQ(SinSingle(0.5), static_cast<double>(std::sin(0.5f)));
    EXPECT_NE(SinSingle(0.5), std::sin(0.5));
    // Squares of float differences can pass FLT_MAX; the root still fits a float.
    EXPECT_FLOAT_EQ(static_cast<float>(PointDistance(0, 0, 1e20, 1e20)), 1.41421356e20f);
}

} // namespace
