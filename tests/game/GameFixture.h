// The game's tests: a game session per test, and the test's save files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "GameSession.h"
#include "Support/SupportTestSupport.h"

class GameFixture : public ::testing::Test, protected GameSession {
protected:
    void SetUp() override { Begin(); }
    void TearDown() override { End(); }

    void Start(GraphicsDevice* device = nullptr) {
        const std::string error = Load(device);
        ASSERT_EQ(error, "");
    }

    // A file in the test's save folder, written before Start or read after a save.
    void WriteSaveFile(const std::string& name, const std::string& text) {
        std::ofstream(save_.Path() + name, std::ios::binary) << text;
    }
    std::string ReadSaveFile(const std::string& name) const { return ReadWhole(save_.Path() + name); }
    bool SaveFileExists(const std::string& name) const { return std::filesystem::exists(save_.Path() + name); }
};
