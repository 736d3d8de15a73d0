// Formatting helpers for the listings.
#include "TextOut.h"

#include <cstdarg>
#include <cstdio>

void Appendf(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        const size_t start = out.size();
        out.resize(start + size_t(length) + 1);
        std::vsnprintf(out.data() + start, size_t(length) + 1, format, again);
        out.resize(start + size_t(length));
    }
    va_end(again);
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c == 0x7F) {
            Appendf(out, "\\x%02x", c);
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}
