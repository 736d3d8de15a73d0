// Formatted text appended to a string, and a package string shown quoted with its control
// characters escaped, for pkgtool's listings.
#pragma once

#include <string>
#include <string_view>

void Appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
std::string Quoted(std::string_view text);
