// Start-up's inputs: the command line's options and parameters, and flattened file names
// unpacked into their folders.
#include "Runner/CommandLine.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "Runner/FlattenedNames.h"

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
    EXPECT_EQ((std::vector<std::string>{options.game_file, options.output_path,
                                        options.debug_output_path, options.profile_dump_path,
                                        options.exit_game, options.launch_argument}),
              (std::vector<std::string>{"other.win", "out.txt", "debug.txt", "prof.txt",
                                        "first.win", "launch"}));
    EXPECT_EQ((std::vector<int64_t>{options.sleep_margin_ms, options.profile_dump_frames,
                                    options.debug_level, options.frame_limit}),
              (std::vector<int64_t>{1, 120, 0x10, 600}));
    EXPECT_TRUE(options.no_audio && options.in_a_window && options.headless &&
                options.intel_first && options.intel_second && !options.runtime_errors &&
                !options.new_executor && options.no_window && options.unpaced &&
                options.full_screen);
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

namespace fs = std::filesystem;

TEST(FlattenedNames, FilesMoveIntoTheirFoldersAndNothingLeavesTheGameFolder) {
    const fs::path game = fs::path(TEST_BINARY_DIR) / "flattened_names" / "game";
    fs::remove_all(game.parent_path());
    fs::create_directories(game / "kept@folder");
    for (const char* name : {"music@title.ogg", "a@b@c.txt", "..@escape.txt", "@rooted.txt", "trailing@",
                             ".hidden@file", "plain.txt"})
        std::ofstream(game / name) << name;

    EXPECT_EQ(UnpackFlattenedNames(game.string()), 2);
    EXPECT_TRUE(fs::is_regular_file(game / "music" / "title.ogg"));
    EXPECT_TRUE(fs::is_regular_file(game / "a" / "b" / "c.txt"));
    // Names that would climb out, start at the root or end in nothing stay as they are.
    for (const char* kept : {"..@escape.txt", "@rooted.txt", "trailing@", ".hidden@file", "plain.txt"})
        EXPECT_TRUE(fs::is_regular_file(game / kept)) << kept;
    EXPECT_FALSE(fs::exists(game.parent_path() / "escape.txt"));
    EXPECT_TRUE(fs::is_directory(game / "kept@folder")); // folders are never moved
    EXPECT_EQ(UnpackFlattenedNames((game / "no such folder").string()), 0);
}

} // namespace
