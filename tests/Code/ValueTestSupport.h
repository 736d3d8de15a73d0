// Shorthands for building values in tests.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <string_view>

#include "Code/RValue.h"
#include "Code/ValueText.h"

inline ScopedRValue Str(std::string_view text) {
    ScopedRValue v;
    MakeString(v, text);
    return v;
}

inline ScopedRValue Num(double d) { return ScopedRValue(RealValue(d)); }

// A string value whose record has no text.
inline ScopedRValue NullTextStr() {
    ScopedRValue v;
    MakeString(v, static_cast<const char*>(nullptr));
    return v;
}

// A value written as its kind and its text: "number 2.5", "string" for the empty text.
inline ScopedRValue ValueOf(const std::string& written) {
    const size_t space = written.find(' ');
    const std::string kind = written.substr(0, space);
    const std::string text = space == std::string::npos ? "" : written.substr(space + 1);
    if (kind == "number") return Num(std::stod(text));
    if (kind == "int32") return ScopedRValue(Int32Value(std::stoi(text)));
    if (kind == "int64") return ScopedRValue(Int64Value(std::stoll(text)));
    if (kind == "bool") return ScopedRValue(BoolValue(text == "1"));
    if (kind == "string") return Str(text);
    if (kind == "undefined") return ScopedRValue(UndefinedValue());
    // Kinds given without their record.
    for (const auto& [name, empty] : {std::pair{"unset", VALUE_UNSET}, {"array", VALUE_ARRAY},
                                      {"ptr", VALUE_PTR}, {"object", VALUE_OBJECT},
                                      {"vec4", VALUE_VEC4}})
        if (kind == name) return ScopedRValue(RValue{{0}, 0, uint32_t(empty)});
    EXPECT_EQ(kind, "nulltext");
    return NullTextStr();
}

// A value as "<kind> <text>", so one string pins both.
inline std::string Shown(const RValue& value) {
    std::string shown = std::string(ValueKindName(value.kind)) + " " + ValueText(value);
    if (shown.ends_with(' ')) shown.pop_back();
    return shown;
}
