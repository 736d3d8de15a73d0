// The save folder's place and the game name's path rules.
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "Platform/Paths.h"

namespace {

// Sets an environment variable, or unsets it for nullptr, until the end of the scope.
struct ScopedEnvironment {
    ScopedEnvironment(const char* variable, const char* value) : name_(variable) {
        if (const char* was = std::getenv(variable)) old_ = was;
        Set(value);
    }
    ~ScopedEnvironment() { Set(old_ ? old_->c_str() : nullptr); }
    void Set(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }

    const char* name_;
    std::optional<std::string> old_;
};

TEST(Paths, GameNamesBecomeOneHarmlessFolderName) {
    EXPECT_EQ(SafeFolderName("Snowtide"), "Snowtide");
    EXPECT_EQ(SafeFolderName("Snow Tide: Mireth's Journey"), "Snow Tide: Mireth's Journey");
    EXPECT_EQ(SafeFolderName("../../etc"), "___.._etc");
    EXPECT_EQ(SafeFolderName(".."), "__");
    EXPECT_EQ(SafeFolderName(".hidden.game"), "_hidden.game");
    EXPECT_EQ(SafeFolderName("a/b\\c\nd\x7F"), "a_b_c_d_");
    EXPECT_EQ(SafeFolderName(""), "");
    std::string long_name = std::string(254, 'a') + "é"; // 256 bytes: the é would be cut in half
    EXPECT_EQ(SafeFolderName(long_name), std::string(254, 'a'));
    EXPECT_EQ(SafeFolderName(std::string(300, 'b')).size(), 255u);
}

TEST(Paths, SavesGoUnderTheUsersDataFolder) {
    ScopedEnvironment home("HOME", "/home/player");
    {
        ScopedEnvironment data("XDG_DATA_HOME", "/data/player");
        EXPECT_EQ(GameSaveFolder("Snowtide"), "/data/player/Snowtide/");
        EXPECT_EQ(GameSaveFolder("a/.."), "/data/player/a_../");
        EXPECT_EQ(GameSaveFolder(""), "");
    }
    {
        ScopedEnvironment relative("XDG_DATA_HOME", "relative/data"); // not absolute: ignored
        EXPECT_EQ(GameSaveFolder("Snowtide"), "/home/player/.local/share/Snowtide/");
    }
    ScopedEnvironment unset("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(GameSaveFolder("Snowtide"), "/home/player/.local/share/Snowtide/");
    EXPECT_EQ(CurrentFolder().back(), '/');
}

} // namespace
