// Test cases kept as text, a case a line: fields apart by " | " (a line ending in " |" has an
// empty last field), lines of '#' and blank lines skipped. Fields read the escapes of C: \n, \t,
// a doubled backslash and \xHH as bytes, \uHHHH and \UHHHHHHHH as the code point in UTF-8, so
// bad bytes can be written as plainly as letters.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"

inline std::string Unescaped(const std::string& text) {
    std::string out;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\\' || at + 1 == text.size()) {
            out += text[at];
            continue;
        }
        const char kind = text[++at];
        const size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : kind == 'U' ? 8 : 0;
        if (digits == 0) {
            out += kind == 'n' ? '\n' : kind == 't' ? '\t' : kind;
            continue;
        }
        const uint32_t c = uint32_t(std::stoul(text.substr(at + 1, digits), nullptr, 16));
        at += digits;
        if (kind == 'x' || c < 0x80) out += char(c);
        else if (c < 0x800) out += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        else if (c < 0x10000)
            out += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
        else
            out += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
                    char(0x80 | (c & 0x3F))};
    }
    return out;
}

// Each case's fields, escapes read, and the line as written for failure messages.
struct TextCase {
    std::vector<std::string> fields;
    std::string line;
};

inline std::vector<TextCase> ReadCaseTable(const std::filesystem::path& file) {
    std::vector<TextCase> cases;
    const std::string text = ReadText(file);
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.empty() || line.starts_with('#')) continue;
        TextCase& c = cases.emplace_back(TextCase{{}, line});
        const std::string padded = line.ends_with(" |") ? line + " " : line;
        for (size_t from = 0;;) {
            const size_t bar = padded.find(" | ", from);
            c.fields.push_back(Unescaped(padded.substr(from, bar - from)));
            if (bar == std::string::npos) break;
            from = bar + 3;
        }
    }
    return cases;
}
