// Whole files as text, for the tests and test tools: files written from strings, and what was
// written read back.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Writes `text`, making the folders on the way.
inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The file's bytes; "" when it cannot be read.
inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
