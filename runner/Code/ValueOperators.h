// The arithmetic operators of compiled code on values. The compound forms change the left
// operand in place; the binary forms work on a copy of the left operand. Two numbers never
// leave the inline fast path; every other pair of kinds goes to the rules of the slow path,
// which raise "invalid type for ..." on pairs that do not combine.
#pragma once

#include <cmath>

#include "Code/RValue.h"

void OpAddAssignSlow(RValue& lhs, const RValue& rhs);
void OpSubAssignSlow(RValue& lhs, const RValue& rhs);
void OpMulAssignSlow(RValue& lhs, const RValue& rhs);
void OpDivAssignSlow(RValue& lhs, const RValue& rhs);
void OpModAssignSlow(RValue& lhs, const RValue& rhs);
void OpAddAssignIntSlow(RValue& lhs, int32_t rhs);

inline bool BothReal(const RValue& a, const RValue& b) {
    return a.kind == VALUE_REAL && b.kind == VALUE_REAL;
}

inline void OpAddAssign(RValue& lhs, const RValue& rhs) {
    if (BothReal(lhs, rhs)) lhs.val += rhs.val;
    else OpAddAssignSlow(lhs, rhs);
}
inline void OpSubAssign(RValue& lhs, const RValue& rhs) {
    if (BothReal(lhs, rhs)) lhs.val -= rhs.val;
    else OpSubAssignSlow(lhs, rhs);
}
inline void OpMulAssign(RValue& lhs, const RValue& rhs) {
    if (BothReal(lhs, rhs)) lhs.val *= rhs.val;
    else OpMulAssignSlow(lhs, rhs);
}
inline void OpDivAssign(RValue& lhs, const RValue& rhs) {
    if (BothReal(lhs, rhs)) lhs.val /= rhs.val;
    else OpDivAssignSlow(lhs, rhs);
}
inline void OpModAssign(RValue& lhs, const RValue& rhs) {
    if (BothReal(lhs, rhs) && rhs.val != 0) lhs.val = std::fmod(lhs.val, rhs.val);
    else OpModAssignSlow(lhs, rhs);
}
inline void OpAddAssignInt(RValue& lhs, int32_t rhs) {
    if (lhs.kind == VALUE_REAL) lhs.val += rhs;
    else OpAddAssignIntSlow(lhs, rhs);
}

using CompoundOperator = void (*)(RValue& lhs, const RValue& rhs);
// result = a op b: a copy of a takes the compound operator, then becomes the result.
void OpBinarySlow(RValue& result, const RValue& a, const RValue& b, CompoundOperator op);

inline void OpAdd(RValue& result, const RValue& a, const RValue& b) {
    if (BothReal(a, b)) SetReal(result, a.val + b.val);
    else OpBinarySlow(result, a, b, OpAddAssignSlow);
}
inline void OpSub(RValue& result, const RValue& a, const RValue& b) {
    if (BothReal(a, b)) SetReal(result, a.val - b.val);
    else OpBinarySlow(result, a, b, OpSubAssignSlow);
}
inline void OpMul(RValue& result, const RValue& a, const RValue& b) {
    if (BothReal(a, b)) SetReal(result, a.val * b.val);
    else OpBinarySlow(result, a, b, OpMulAssignSlow);
}
inline void OpDiv(RValue& result, const RValue& a, const RValue& b) {
    if (BothReal(a, b)) SetReal(result, a.val / b.val);
    else OpBinarySlow(result, a, b, OpDivAssignSlow);
}
inline void OpMod(RValue& result, const RValue& a, const RValue& b) {
    if (BothReal(a, b) && b.val != 0) SetReal(result, std::fmod(a.val, b.val));
    else OpBinarySlow(result, a, b, OpModAssignSlow);
}

// `div`: both operands truncated to 64-bit integers; a zero divisor raises "Divide by zero".
double OpIntDiv(const RValue& a, const RValue& b);
