#include "Runner/CommandLine.h"

#include <gtest/gtest.h>

namespace {

RunnerOptions Parse(std::vector<std::string> tokens, const std::string& default_game = "") {
    tokens.insert(tokens.begin(), "runner");
    RunnerOptions options;
    CommandLineResult result = ParseCommandLine(tokens, default_game, options);
    EXPECT_TRUE(result.ok) << result.error;
    return options;
}

TEST(CommandLine, QuotesGroupBlanksAndVanish) {
    std::vector<std::string> tokens;
    ASSERT_TRUE(SplitCommandLine("-game \"/games/snow tide/data.win\"  \"a b\"c\t-x \"\"", tokens).ok);
    EXPECT_EQ(tokens, (std::vector<std::string>{"-game", "/games/snow tide/data.win", "a bc", "-x", ""}));
    ASSERT_TRUE(SplitCommandLine("", tokens).ok);
    EXPECT_TRUE(tokens.empty());

    EXPECT_TRUE(SplitCommandLine(std::string(4095, 'x'), tokens).ok);
    CommandLineResult too_long = SplitCommandLine("-game " + std::string(4096, 'x'), tokens);
    EXPECT_FALSE(too_long.ok);
    EXPECT_NE(too_long.error.find("4096 bytes"), std::string::npos);
}

TEST(CommandLine, OptionsTakeTheirValuesAndEveryTokenIsAParameter) {
    RunnerOptions options = Parse({"-game", "other.win", "-noaudio", "-inawindow", "-sleepmargin", "1",
                                   "-output", "out.txt", "-debugoutput", "debug.txt", "-headless",
                                   "-profiledump", "prof.txt", "120", "-exit", "first.win", "-intel",
                                   "-audiodebug", "-noerrors", "-oldexec", "-frames", "600", "-nowindow",
                                   "-unpaced", "-fullscreen", "ktplayer://launch/", "plain"});
    EXPECT_EQ(options.game_file, "other.win");
    EXPECT_TRUE(options.no_audio);
    EXPECT_TRUE(options.in_a_window);
    EXPECT_EQ(options.sleep_margin_ms, 1);
    EXPECT_EQ(options.output_path, "out.txt");
    EXPECT_EQ(options.debug_output_path, "debug.txt");
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.profile_dump_path, "prof.txt");
    EXPECT_EQ(options.profile_dump_frames, 120);
    EXPECT_EQ(options.exit_game, "first.win");
    EXPECT_TRUE(options.intel_first && options.intel_second);
    EXPECT_EQ(options.debug_level, 0x10);
    EXPECT_FALSE(options.runtime_errors);
    EXPECT_FALSE(options.new_executor);
    EXPECT_EQ(options.frame_limit, 600);
    EXPECT_TRUE(options.no_window);
    EXPECT_TRUE(options.unpaced);
    EXPECT_TRUE(options.full_screen);
    EXPECT_EQ(options.launch_argument, "launch");
    ASSERT_EQ(options.parameters.size(), 28u);
    EXPECT_EQ(options.parameters.front(), "runner");
    EXPECT_EQ(options.parameters.back(), "plain");
}

TEST(CommandLine, OptionsAreExactDebugYieldsToAFoundGameAndBadLinesAreRefused) {
    RunnerOptions beside_runner = Parse({"-debug"}, "/opt/snowtide/data.win");
    EXPECT_FALSE(beside_runner.debugger);
    EXPECT_EQ(beside_runner.game_file, "/opt/snowtide/data.win");
    RunnerOptions no_game = Parse({"-debug"});
    EXPECT_TRUE(no_game.debugger);
    EXPECT_EQ(no_game.debug_level, 2);

    RunnerOptions near_misses = Parse({"-NoAudio", "-noaudio2", "-sleepmargin", "soon", "-frames", "-5"});
    EXPECT_FALSE(near_misses.no_audio);
    EXPECT_EQ(near_misses.sleep_margin_ms, -1);
    EXPECT_EQ(near_misses.frame_limit, -1);

    // Bad command lines are refused with one line.
    RunnerOptions options;
    CommandLineResult missing = ParseCommandLine({"runner", "-noaudio", "-game"}, "", options);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "option -game needs 1 value");
    CommandLineResult huge = ParseCommandLine({"runner", std::string(5000, 'a')}, "", options);
    EXPECT_FALSE(huge.ok);
}

} // namespace
