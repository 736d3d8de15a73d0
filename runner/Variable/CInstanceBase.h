// The root of everything that holds script variables: compiled code reaches variable n of any
// holder through FindOrCreateVariable(n), whatever the holder stores it in.
#pragma once

#include <cstdint>

#include "Code/RValue.h"

class CInstanceBase {
public:
    CInstanceBase() = default;
    virtual ~CInstanceBase() = default;
    CInstanceBase(const CInstanceBase&) = delete;
    CInstanceBase& operator=(const CInstanceBase&) = delete;

    // The cell of variable `slot`; a variable met for the first time is created.
    virtual RValue* FindOrCreateVariable(int32_t slot) = 0;
};
