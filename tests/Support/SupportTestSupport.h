// Shared pieces of the data-structure and file tests: the built-in call fixture, and
// throw-away folders that stand in for the save and program folders.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "BuiltinCallFixture.h"
#include "Code/RuntimeError.h"
#include "TempFolder.h"

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

inline void WriteWhole(const std::string& path, const std::string& contents) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}
