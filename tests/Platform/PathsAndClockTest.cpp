// The save folder's place, the game name's path rules, and the runner's clock.
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "Platform/Clock.h"
#include "Platform/Paths.h"
#include "Platform/RunnerClock.h"

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

TEST(RunnerClock, CountsMicrosecondsFromItsStartOnTheClockItIsGiven) {
    ManualClock clock;
    clock.Advance(5'000'000); // the platform clock's origin is arbitrary
    Timing_Start(clock);
    EXPECT_EQ(Timing_Time(), 0);
    clock.Advance(16'666);
    EXPECT_EQ(Timing_Time(), 16'666);
    Timing_SleepUntil(20'000);
    EXPECT_EQ(Timing_Time(), 20'000);
    Timing_SleepUntil(10'000); // a past deadline returns at once
    EXPECT_EQ(Timing_Time(), 20'000);
    Timing_Start(SystemClock());

    // The system clock is monotonic and sleeps to the deadline.
    Clock& system = SystemClock();
    const int64_t start = system.NowMicros();
    system.SleepUntil(start + 2'000);
    const int64_t woke = system.NowMicros();
    EXPECT_GE(woke, start + 2'000);
    EXPECT_GE(system.NowMicros(), woke);
}

} // namespace
