// Paths made from and read back as the runner's text: UTF-8, with '/' between folders. The
// standard library reads a narrow name in the system's own encoding, which on Windows is not
// UTF-8 (it reads it byte by byte), so paths go through these two and nothing else.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

inline std::filesystem::path Utf8Path(std::string_view text) {
    return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

inline std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}
