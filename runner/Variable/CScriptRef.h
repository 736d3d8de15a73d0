// A value that refers to a script or built-in function (a method object): what reading a
// function's name as a variable gives.
#pragma once

#include <cstdint>

#include "Variable/KxObjectBase.h"

class CScriptRef : public KxObjectBase {
public:
    explicit CScriptRef(int32_t function) : KxObjectBase(0), function_index(function) {}

    bool IsMethod() const override { return true; }
    double NumberValue() const override { return function_index; }

    int32_t function_index;
};
