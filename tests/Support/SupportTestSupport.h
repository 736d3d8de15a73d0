// Shared pieces of the data-structure and file tests: calling built-ins by name as compiled
// code does, and throw-away folders that stand in for the save and program folders.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Code/ValueText.h"
#include "Function/BuiltinGroups.h"
#include "Runner/OutputChannel.h"
#include "Support/DsState.h"

class BuiltinCallTest : public ::testing::Test {
protected:
    void SetUp() override {
        DebugOutput().CaptureTo(&debug_);
        RegisterBuiltinFunctions();
        debug_.clear();
    }
    void TearDown() override {
        DestroyAllDataStructures();
        DebugOutput().CaptureTo(nullptr);
        ClearBuiltins();
    }

    template <typename... Args>
    ScopedRValue Call(const char* name, const Args&... args) {
        ScopedRValue values[] = {ScopedRValue(args)..., ScopedRValue()};
        RValue* argv[sizeof...(Args) + 1];
        for (size_t i = 0; i <= sizeof...(Args); ++i)
            argv[i] = &values[i];
        int32_t index = FindBuiltin(name);
        EXPECT_GE(index, 0) << name;
        ScopedRValue result;
        CallBuiltin(nullptr, nullptr, result, sizeof...(Args), index, argv);
        return result;
    }
    double Number(const char* name, auto... args) {
        ScopedRValue result = Call(name, args...);
        EXPECT_EQ(result.Kind(), VALUE_REAL) << name;
        return result.val;
    }
    std::string Text(const char* name, auto... args) { return ValueText(Call(name, args...)); }

    std::string debug_;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "runner-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern + '/' : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

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
