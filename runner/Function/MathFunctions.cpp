// The math built-ins, in the precisions the game's drawing and motion were tuned with.
#include "Function/BuiltinGroups.h"

#include <cmath>
#include <numbers>

#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Code/ValueCompare.h"
#include "Function/MathOps.h"
#include "Variable/BuiltinArgs.h"

namespace {

void floor(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, std::floor(ArgReal(args, 0)));
}
void ceil(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, std::ceil(ArgReal(args, 0)));
}
void round(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, RoundHalfEven(ArgReal(args, 0)));
}
void clamp(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, Clamp(ArgReal(args, 0), ArgReal(args, 1), ArgReal(args, 2)));
}
void sin(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, SinSingle(ArgReal(args, 0)));
}
void cos(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, CosSingle(ArgReal(args, 0)));
}

// lengthdir_x(length, direction) and lengthdir_y: the vector of that length at that angle in
// degrees, anticlockwise from the right with y growing downwards.
void lengthdir_x(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, ArgReal(args, 0) * std::cos(ArgReal(args, 1) * std::numbers::pi / 180));
}
void lengthdir_y(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, -ArgReal(args, 0) * std::sin(ArgReal(args, 1) * std::numbers::pi / 180));
}
// point_direction(x1, y1, x2, y2): the angle from the first point to the second in the same
// measure, 0 up to 360.
void point_direction(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const double degrees = std::atan2(ArgReal(args, 1) - ArgReal(args, 3), ArgReal(args, 2) - ArgReal(args, 0)) * 180 / std::numbers::pi;
    SetReal(result, degrees < 0 ? degrees + 360 : degrees);
}

void sqrt(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    double x = ArgReal(args, 0);
    if (x < 0) {
        ShowError("Cannot apply sqrt to negative number.", false);
        SetReal(result, 0);
        return;
    }
    SetReal(result, std::sqrt(x));
}

void log2(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, Log2(ArgReal(args, 0)));
}
void point_distance(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, PointDistance(ArgReal(args, 0), ArgReal(args, 1), ArgReal(args, 2), ArgReal(args, 3)));
}
void make_color_hsv(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, MakeColorHsv(ArgReal(args, 0), ArgReal(args, 1), ArgReal(args, 2)));
}
void abs(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, std::fabs(ArgReal(args, 0)));
}
void sign(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, Sign(ArgReal(args, 0)));
}

// The greatest (or least) of any number of arguments; 0 for none.
template <bool kGreatest>
void Extreme(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    double best = argc > 0 ? ArgReal(args, 0) : 0;
    for (int i = 1; i < argc; ++i) {
        double x = ArgReal(args, i);
        if (kGreatest ? x > best : x < best) best = x;
    }
    SetReal(result, best);
}

void math_set_epsilon(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    MathSetEpsilon(ArgReal(args, 0));
    FreeValue(result);
}

} // namespace

void RegisterMathFunctions() {
    RegisterBuiltin("floor", floor, 1);
    RegisterBuiltin("ceil", ceil, 1);
    RegisterBuiltin("round", round, 1);
    RegisterBuiltin("clamp", clamp, 3);
    RegisterBuiltin("sin", sin, 1);
    RegisterBuiltin("cos", cos, 1);
    RegisterBuiltin("sqrt", sqrt, 1);
    RegisterBuiltin("log2", log2, 1);
    RegisterBuiltin("point_distance", point_distance, 4);
    RegisterBuiltin("lengthdir_x", lengthdir_x, 2);
    RegisterBuiltin("lengthdir_y", lengthdir_y, 2);
    RegisterBuiltin("point_direction", point_direction, 4);
    RegisterBuiltin("make_color_hsv", make_color_hsv, 3);
    RegisterBuiltin("abs", abs, 1);
    RegisterBuiltin("sign", sign, 1);
    RegisterBuiltin("max", Extreme<true>, BUILTIN_VARIADIC);
    RegisterBuiltin("min", Extreme<false>, BUILTIN_VARIADIC);
    RegisterBuiltin("math_set_epsilon", math_set_epsilon, 1);
}
