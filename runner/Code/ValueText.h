// The text form of values (the built-in `string` and every place that turns a value into text)
// and the names of the value kinds.
#pragma once

#include <string>

#include "Code/RValue.h"

void AppendValueText(std::string& out, const RValue& v);
inline std::string ValueText(const RValue& v) {
    std::string text;
    AppendValueText(text, v);
    return text;
}

// "number", "string", "array", ... as `typeof` gives them; "unknown" for kinds above 14.
const char* ValueKindName(uint32_t kind_word);
