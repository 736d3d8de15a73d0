// The game API: the one header that compiled game code includes, with the runner's entry
// point for the game's main().
//
// Compiled code reads close to the scripts it stands for:
//
//     RValue* psl_Script_hurt(CInstance* self, CInstance* other, RValue* result, int argc,
//                             RValue** argv) {
//         ScriptFrame frame("psl_Script_hurt", result);
//         frame.Line(2);
//         Var(self, SLOT_hp) -= Argument(argc, argv, 0);
//         frame.Line(3);
//         if (Var(self, SLOT_hp) <= 0) Assign(Var(self, SLOT_dead), Value(1));
//         return result;
//     }
//
// Values follow the value rules with C++ operators (two numbers never leave the inline path);
// game variables are addressed by slot constants, built-in variables and functions through
// the game's name tables resolved at load; scripts call scripts directly.
#pragma once

#include <string_view>
#include <type_traits>

#include "Code/Builtins.h"
#include "Code/CodeTable.h"
#include "Code/FrameRecord.h"
#include "Code/FunctionIndex.h"
#include "Code/GameConstants.h"
#include "Code/NumberText.h"
#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueCompare.h"
#include "Code/ValueConvert.h"
#include "Code/ValueOperators.h"
#include "Code/ValueText.h"
#include "Function/MathOps.h"
#include "Function/RandomFunctions.h"
#include "IO/GamepadConstants.h"
#include "IO/InputConstants.h"
#include "Object/EventDispatch.h"
#include "Package/GameLink.h"
#include "Runner/RunnerMain.h"
#include "Variable/CInstance.h"
#include "Variable/GameVariables.h"
#include "Variable/InstanceDirectory.h"
#include "Variable/InstanceTargets.h"
#include "Variable/VariableAccess.h"
#include "Variable/VariableId.h"

// --- Values ---------------------------------------------------------------------------------

// A value that compiled code holds in a local: releases itself, copies share.
class Value : public ScopedRValue {
public:
    Value() = default;
    Value(double d) : ScopedRValue(RealValue(d)) {}
    Value(int i) : ScopedRValue(RealValue(i)) {}
    Value(const char* text) { MakeString(*this, text); }
    Value(std::string_view text) { MakeString(*this, text); }
    Value(const RValue& v) : ScopedRValue(v) {}
    Value(const Value& v) : ScopedRValue(v) {}
    // Takes the 16 bytes over; an array this value owned stays owned by the new home.
    Value(Value&& v) noexcept : ScopedRValue() {
        static_cast<RValue&>(*this) = v;
        if (Kind() == VALUE_ARRAY && arr && arr->owner == &v) arr->owner = this;
        static_cast<RValue&>(v) = UndefinedValue();
    }
    Value& operator=(const RValue& v) {
        CopyValue(*this, v);
        return *this;
    }
    Value& operator=(const Value& v) {
        CopyValue(*this, v);
        return *this;
    }

    // Truth as the scripts test it: a number above 0.5.
    explicit operator bool() const { return kind == VALUE_REAL ? val > 0.5 : ToBool(*this); }
};

inline double Real(const RValue& v) { return ToReal(v); }

// Arithmetic. Each operator has an inline path for two numbers.
inline Value operator+(const RValue& a, const RValue& b) {
    Value r;
    OpAdd(r, a, b);
    return r;
}
inline Value operator-(const RValue& a, const RValue& b) {
    Value r;
    OpSub(r, a, b);
    return r;
}
inline Value operator*(const RValue& a, const RValue& b) {
    Value r;
    OpMul(r, a, b);
    return r;
}
inline Value operator/(const RValue& a, const RValue& b) {
    Value r;
    OpDiv(r, a, b);
    return r;
}
inline Value operator%(const RValue& a, const RValue& b) {
    Value r;
    OpMod(r, a, b);
    return r;
}
inline Value operator-(const RValue& a) {
    if (a.kind == VALUE_REAL) return Value(-a.val);
    return Value(-ToReal(a));
}
// With a number on the right, a variable that was never written fails as a number would.
inline Value operator+(const RValue& a, double b) {
    if (a.kind == VALUE_REAL) return Value(a.val + b);
    if (a.kind == VALUE_UNSET) return Value(ToReal(a) + b);
    return a + Value(b);
}
inline Value operator-(const RValue& a, double b) {
    if (a.kind == VALUE_REAL) return Value(a.val - b);
    if (a.kind == VALUE_UNSET) return Value(ToReal(a) - b);
    return a - Value(b);
}
inline Value operator*(const RValue& a, double b) {
    if (a.kind == VALUE_REAL) return Value(a.val * b);
    if (a.kind == VALUE_UNSET) return Value(ToReal(a) * b);
    return a * Value(b);
}
inline Value operator/(const RValue& a, double b) {
    if (a.kind == VALUE_REAL) return Value(a.val / b);
    if (a.kind == VALUE_UNSET) return Value(ToReal(a) / b);
    return a / Value(b);
}
// `div`: the truncated quotient of the operands as integers.
inline Value Div(const RValue& a, const RValue& b) { return Value(OpIntDiv(a, b)); }

inline RValue& operator+=(RValue& a, const RValue& b) {
    OpAddAssign(a, b);
    return a;
}
inline RValue& operator-=(RValue& a, const RValue& b) {
    OpSubAssign(a, b);
    return a;
}
inline RValue& operator*=(RValue& a, const RValue& b) {
    OpMulAssign(a, b);
    return a;
}
inline RValue& operator/=(RValue& a, const RValue& b) {
    OpDivAssign(a, b);
    return a;
}
inline RValue& operator%=(RValue& a, const RValue& b) {
    OpModAssign(a, b);
    return a;
}
inline RValue& operator+=(RValue& a, int32_t b) {
    OpAddAssignInt(a, b);
    return a;
}

// Comparison through the math epsilon.
inline int32_t Compare(const RValue& a, const RValue& b) {
    if (BothReal(a, b)) {
        double d = a.val - b.val;
        if (d >= -MathEpsilon() && d <= MathEpsilon()) return 0;
        if (d < 0) return -1;
        if (d > 0) return 1;
    }
    return CompareForCode(a, b);
}
inline bool operator==(const RValue& a, const RValue& b) { return Compare(a, b) == 0; }
inline bool operator!=(const RValue& a, const RValue& b) { return Compare(a, b) != 0; }
inline bool operator<(const RValue& a, const RValue& b) { return Compare(a, b) < 0; }
inline bool operator<=(const RValue& a, const RValue& b) { return Compare(a, b) <= 0; }
inline bool operator>(const RValue& a, const RValue& b) { return Compare(a, b) > 0; }
inline bool operator>=(const RValue& a, const RValue& b) { return Compare(a, b) >= 0; }

// --- Variables ------------------------------------------------------------------------------

// Game variable `slot` of an instance or of the global object, used in place.
inline RValue& Var(KxObjectBase* object, int32_t slot) { return *object->FindOrCreateVariable(slot); }
inline RValue& Global(int32_t slot) { return Var(GlobalObject(), slot); }

// name = value and name[index] = value.
inline void Assign(RValue& variable, const RValue& value) { AssignValue(variable, value, ARRAY_INDEX_NONE); }
inline void AssignElement(RValue& variable, int32_t index, const RValue& value) {
    AssignValue(variable, value, index);
}
// name[index]: a missing element raises; its place is taken by number 0.
inline const RValue& Element(RValue& variable, int32_t index) {
    static const RValue kMissing = RealValue(0);
    const RValue* element = ArrayElementRef(variable, index);
    return element ? *element : kMissing;
}

// target.name, for another instance or an object's instances.
inline Value VarOf(int32_t target, int32_t slot) {
    Value result;
    GetVariable(target, slot, ARRAY_INDEX_NONE, result);
    return result;
}
inline void SetVarOf(int32_t target, int32_t slot, const RValue& value) {
    SetVariableOrFail(target, GameVariableId(slot), ARRAY_INDEX_NONE, value);
}

// Built-in variables (x, room, alarm[i]) through the game's variable table.
inline Value BuiltinVar(KxObjectBase* object, const VariablePair& variable,
                        int32_t index = ARRAY_INDEX_NONE) {
    Value result;
    GetVariableDirect(object, variable.id, index, result);
    return result;
}
inline void SetBuiltinVar(KxObjectBase* object, const VariablePair& variable, const RValue& value,
                          int32_t index = ARRAY_INDEX_NONE) {
    SetVariableDirect(object, variable.id, index, value);
}

// target.name for a built-in variable (h.bbox_top, other.x), read from the first instance the
// target names.
inline Value BuiltinVarOf(int32_t target, const VariablePair& variable, int32_t index = ARRAY_INDEX_NONE) {
    Value result;
    bool found = false;
    ForEachTargetInstance(Instances(), target, [&](CInstance* instance) {
        if (!found) found = GetVariableDirect(instance, variable.id, index, result);
    });
    return result;
}

// --- Calls ----------------------------------------------------------------------------------

// A built-in (or a script named in the game's function table) by its resolved index. The
// arguments are values the caller holds; literals are wrapped in Value(...).
template <typename... Args>
Value Call(CInstance* self, CInstance* other, const FunctionPair& function, const Args&... args) {
    static_assert((std::is_base_of_v<RValue, Args> && ...), "arguments are values");
    RValue* argv[] = {const_cast<RValue*>(static_cast<const RValue*>(&args))..., nullptr};
    Value result;
    CallFunction(self, other, result, static_cast<int>(sizeof...(Args)), function.index, argv);
    return result;
}

// A compiled script called directly.
template <typename... Args>
Value CallScript(ScriptFunction script, CInstance* self, CInstance* other, const Args&... args) {
    static_assert((std::is_base_of_v<RValue, Args> && ...), "arguments are values");
    RValue* argv[] = {const_cast<RValue*>(static_cast<const RValue*>(&args))..., nullptr};
    Value result;
    script(self, other, &result, static_cast<int>(sizeof...(Args)), argv);
    return result;
}

// argument[i] of a script; a missing one raises and reads as argument 0 (or undefined).
inline const RValue& Argument(int argc, RValue** argv, int index) {
    static const RValue kNone = UndefinedValue();
    if (index < argc) return *argv[index];
    RaiseRuntimeError("referencing argument index out of range %d", index);
    return argc > 0 ? *argv[0] : kNone;
}

// argument[i] when the script was given it (argument_count > i), else `fallback`.
inline Value ArgumentOr(int argc, RValue** argv, int index, const Value& fallback) {
    return index < argc ? Value(*argv[index]) : fallback;
}

// The frame record of a compiled script; also sets the script's result to 0 on entry.
class ScriptFrame : public FrameScope {
public:
    ScriptFrame(const char* name, RValue* result) : FrameScope(name) { SetReal(*result, 0); }
};

// with (target) { body }: runs body(self) for each instance the target selects, with the
// previous self as other.
template <typename Body>
void With(CInstance* self, CInstance* other, int32_t target, Body body) {
    ForEachTargetOf(self, other, target, [&](CInstance* instance) { body(instance, self); });
}

// --- Runner operations called directly with plain numbers ------------------------------------

inline double Abs(double x) { return x < 0 ? -x : x; }
template <typename... More>
double Max(double first, More... more) {
    double best = first;
    ((best = static_cast<double>(more) > best ? static_cast<double>(more) : best), ...);
    return best;
}
template <typename... More>
double Min(double first, More... more) {
    double best = first;
    ((best = static_cast<double>(more) < best ? static_cast<double>(more) : best), ...);
    return best;
}
inline double IRandom(double n) { return static_cast<double>(RunnerRandom().IRandom(TruncToInt64(n))); }
inline double IRandomRange(double a, double b) {
    return static_cast<double>(RunnerRandom().IRandomRange(TruncToInt64(a), TruncToInt64(b)));
}
