#include "Code/ValueText.h"

#include <cstdio>

#include "Code/NumberText.h"
#include "Code/RuntimeError.h"

namespace {

// An array met again within one top-level conversion prints as undefined instead of looping:
// each top-level conversion has its own number, and an expanded array is marked with it.
uint32_t g_conversion = 0;
int g_depth = 0;

void AppendArrayText(std::string& out, SharedArray* arr) {
    out += "{ ";
    if (!arr || arr->visit_mark == g_conversion) {
        out += "undefined";
    } else {
        arr->visit_mark = g_conversion;
        for (int32_t i = 0; i < arr->row_count; ++i) {
            const ArrayRow& row = arr->rows[i];
            out += "{ ";
            for (int32_t j = 0; j < row.length; ++j) {
                if (j > 0) out += ',';
                AppendValueText(out, row.items[j]);
            }
            out += " }, ";
        }
    }
    out += " }";
}

void AppendKindText(std::string& out, const RValue& v) {
    char buffer[256];
    switch (v.Kind()) {
    case VALUE_REAL: AppendNumberText(out, v.val); break;
    case VALUE_STRING: out += StringView(v); break;
    case VALUE_ARRAY: AppendArrayText(out, v.arr); break;
    case VALUE_PTR:
        std::snprintf(buffer, sizeof buffer, "%p", v.ptr);
        out += buffer;
        break;
    case VALUE_UNDEFINED: out += "undefined"; break;
    case VALUE_OBJECT:
        // No object of the game has a toString member, so an object prints as nothing.
        if (!v.obj) out += "null";
        break;
    case VALUE_INT32: AppendInt64Text(out, v.v32); break;
    case VALUE_INT64: AppendInt64Text(out, v.v64); break;
    case VALUE_BOOL: out += v.val != 0 ? '1' : '0'; break;
    case VALUE_UNSET: RaiseRuntimeError("STRING argument is unset"); break;
    default: break; // vectors, accessors, null and iterators have no text
    }
}

} // namespace

void AppendValueText(std::string& out, const RValue& v) {
    if (g_depth == 0 && ++g_conversion == 0) ++g_conversion; // 0 is the mark of a fresh array
    ++g_depth;
    AppendKindText(out, v);
    --g_depth;
}

const char* ValueKindName(uint32_t kind_word) {
    static const char* const kNames[] = {
        "number", "string", "array", "ptr",  "vec3",  "undefined", "object",   "int32",
        "vec4",   "vec44",  "int64", "accessor", "null", "bool",      "iterator",
    };
    uint32_t kind = kind_word & VALUE_KIND_MASK;
    if (kind < std::size(kNames)) return kNames[kind];
    return kind == VALUE_UNSET ? "unset" : "unknown";
}
