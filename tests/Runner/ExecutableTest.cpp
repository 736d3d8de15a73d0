// The test game run as its own process, as players, launchers and testers meet it. Each test
// has files of its own, as ctest runs tests side by side.
#include <filesystem>
#include <gtest/gtest.h>

#include "IO/InputConstants.h"
#include "IO/InputRecording.h"
#include "PackageWriter.h"
#include "Runner/ProcessRun.h"

namespace {

constexpr uint32_t kGameId = 17;
const std::array<uint8_t, 16> kGuid{9, 8, 7};

// A recording made by hand: `steps` steps at 60 frames per second, with `arrows` the right arrow
// held from step 5 to 15 and space pressed at 20, and `key` pressed at `key_step`; two seeds at
// the start (the runner's own and the room's `randomize`).
std::string WriteRecording(const std::string& path, int steps, bool arrows, int32_t key = 0,
                           int key_step = -1) {
    RecordingEncoder encoder(MakeRecordingIdentity("ReplayField", kGameId, kGuid));
    encoder.Seed(1234);
    encoder.Seed(5678);
    for (int step = 0; step < steps; ++step) {
        InputFrame frame;
        frame.delta_time_us = 16'667;
        frame.keyboard.keys.held[vk_right] = arrows && step >= 5 && step <= 15;
        frame.keyboard.keys.pressed[vk_right] = arrows && step == 5;
        frame.keyboard.keys.pressed[vk_space] = arrows && step == 20;
        if (key) frame.keyboard.keys.pressed[size_t(key)] = step == key_step;
        encoder.Step(frame);
    }
    encoder.End();
    WriteText(path, encoder.Take());
    return path;
}

std::string Digest(const ProcessRun& run) {
    const size_t at = run.output.find("digest ");
    return at == std::string::npos ? "" : run.output.substr(at, run.output.find('\n', at) - at);
}

class ExecutableTest : public ::testing::Test {
protected:
    // This suite's folder, made before the packages are written into it.
    static std::string Folder() {
        const std::string folder = std::string(TEST_BINARY_DIR) + "/executable_test";
        std::filesystem::create_directories(folder);
        return folder;
    }
    // A file of this test's: its name with `suffix`.
    std::string Work(const std::string& suffix) const { return work_ + "/" + test_ + suffix; }

    // Writes `package` with 320x180 rooms in order, the first with the test game's code entry
    // `first` as creation code, and a persistent object whose step event is the next entry,
    // placed at (10, 10) in the first room when `placed`; its path.
    std::string WriteGame(const std::string& suffix, GamePackage package,
                          std::vector<const char*> rooms, int32_t first, const char* object,
                          bool placed) const {
        package.header.last_instance_id = 100001;
        package.header.window_width = 320;
        package.header.window_height = 180;
        for (const char* name : rooms) {
            PackageRoom room;
            room.name = name;
            room.width = 320;
            room.height = 180;
            room.speed = 60;
            room.creation_code = package.rooms.empty() ? first : -1;
            package.header.room_order.push_back(int32_t(package.rooms.size()));
            package.rooms.push_back(room);
        }
        for (const char* name : {"psl_Room_rmFirst_Create", "psl_Object_oWalker_Step_0",
                                 "psl_Room_rmField_Create", "psl_Object_oDot_Step_0"})
            package.code.push_back({name, {}, 0, 0});
        PackageObject walker;
        walker.name = object;
        walker.persistent = true;
        walker.events[{3, 0}] = first + 1;
        package.objects.push_back(walker);
        if (placed)
            package.rooms[0]->instances.push_back({10, 10, 0, 100001, -1, 1, 1, 1, 0, 0, 0, -1});
        const std::string path = Work(suffix);
        EXPECT_TRUE(WritePackageFile(package, path));
        return path;
    }

    // The test game; with `walker`, a persistent walker stands in the first of three rooms.
    std::string WriteTestPackage(const std::string& suffix, bool walker = false) {
        GamePackage package;
        package.header.game_name = "TestGame";
        package.header.display_name = "Test Game";
        const std::vector rooms =
            walker ? std::vector{"rmFirst", "rmSecond", "rmThird"} : std::vector{"rmFirst"};
        return WriteGame(suffix, std::move(package), rooms, 0, "oWalker", walker);
    }
    // The test game's field: one room whose creation code seeds from the clock, and the dot
    // that moves by random numbers, delta_time and keys.
    std::string WriteField(const std::string& suffix, const char* game_name = "ReplayField") {
        GamePackage package;
        package.header.game_name = game_name;
        package.header.game_id = kGameId;
        package.header.guid = kGuid;
        return WriteGame(suffix, std::move(package), {"rmField"}, 2, "oDot", true);
    }
    ProcessRun Game(const std::string& options, const std::string& environment = "") {
        return Execute(environment + bin_ + "/test_game -game " + options);
    }
    ProcessRun Run(const std::string& options) {
        return Execute(bin_ + "/test_game -game " + field_ + " -nowindow -digest " + options);
    }

    const std::string bin_ = RUNNER_BIN_DIR;
    const std::string work_ = Folder();
    const std::string test_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string game_ = WriteTestPackage(".win");
    std::string field_ = WriteField("-field.win");
};
class RunnerExecutable : public ExecutableTest {};
class ReplayExecutable : public ExecutableTest {};


TEST_F(RunnerExecutable, HeadlessRunsStartUpInOrderSaveAndEndWithTheGamesExitCode) {
    const std::string data = Work("-data"), log = Work(".log");
    std::filesystem::remove_all(data);
    ProcessRun run = Game(game_ + " -headless -save -end -debugoutput " + log,
                          "XDG_DATA_HOME=" + data + " ");
    EXPECT_EQ(run.exit_code, 7) << run.output;
    // Saves go to the game's folder in the player's data folder.
    EXPECT_EQ(ReadText(data + "/TestGame/check.txt"), "Merry Snowtide!");
    const std::string debug = ReadText(log);
    size_t at = 0;
    for (const char* line :
         {"Create Error Form", "Runner v1.0(999)[r32908]", "Reading File", "Loaded File",
          "IFF wad found", "Get Resolution", "InitPSLFunctions", "Create Window", "Init Graphics",
          "IO Init", "Process Messages", "Start Frame", "VM Init", "Do The Work", "LoadGameData()",
          "initialise everything!", "PrepareGame()", "Object_Prepare() ", "Sound_Prepare() ",
          "Finished PrepareGame() ", "Run_Start"}) {
        at = debug.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << " missing or out of order in:\n" << debug;
    }
    EXPECT_EQ(debug.find("Entering main loop."), std::string::npos); // headless stops before it
}

TEST_F(RunnerExecutable, WindowlessRunsGoOnUntilTheFrameLimitOrTheLastRoom) {
    ProcessRun run = Game(game_ + " -nowindow -frames 5 -tracestages");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    size_t steps = 0;
    for (size_t at = run.output.find("Entering main loop.");
         (at = run.output.find("stage End Step\n", at)) != std::string::npos; ++at)
        ++steps;
    EXPECT_EQ(steps, 5u);

    const std::string log = Work(".log");
    run = Game(WriteTestPackage("-rooms.win", true) +
               " -nowindow -frames 10 -debugoutput " + log);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    const std::string debug = ReadText(log);
    const size_t second = debug.find("SwitchRoom to rmSecond\n");
    const size_t third = debug.find("SwitchRoom to rmThird\n");
    const size_t past = debug.find("ERROR!!! :: Moving to next room after the last room.\n");
    ASSERT_NE(second, std::string::npos) << debug;
    EXPECT_LT(second, third);
    EXPECT_LT(third, past);
    EXPECT_NE(past, std::string::npos);
}

TEST_F(RunnerExecutable, WindowsOpenWithoutADisplayAndExitHandsBackToTheOtherGame) {
    // Mesa's software driver leaves allocations behind when it is unloaded at exit, where a
    // leak check can no longer tell whose they were: the check is off for these runs.
    const std::string windowed =
        "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" SDL_VIDEODRIVER=offscreen ";
    // The first game ends at once (headless); the runner then starts over as "-game <back>"
    // in a window, where the second game ends with its own code.
    const std::string back = WriteTestPackage("-end.win");
    ProcessRun run = Game(game_ + " -headless -exit " + back, windowed);
    EXPECT_EQ(run.exit_code, 7) << run.output;
    EXPECT_NE(run.output.find("Reading File " + back), std::string::npos) << run.output;
}

TEST_F(RunnerExecutable, FailuresEndWithCodeOneAndSayWhy) {
    const std::string corrupt = Work("-corrupt.win");
    WriteText(corrupt, "FORM but nothing after it");
    const std::pair<std::string, std::string> kCases[] = {
        {"test_game -headless -fail -game " + game_,
         "FATAL FATAL ERROR in Room Creation Code for room rmFirst\n\n\nunable to convert string "
         "\"snow\" to number"},
        {"test_game -headless -crash -game " + game_,
         "Exception detected during headless!\nPSL stack frame is!\npsl_Room_rmFirst_Create\n"
         "Failing function is\npsl_Room_rmFirst_Create\nException happened code=0000000b"},
        {"test_game -headless -game " + Work("-nothing.win"),
         "Unable to find game!!: " + Work("-nothing.win")},
        {"test_game -headless -game " + corrupt, corrupt + ": length word says"},
        // The plain runner has no game linked in: a package with code does not match it.
        {"runner -headless -game " + game_,
         game_ + ": the package does not match the game's code: it has 4 code entries, the game 0"},
        {"runner -game", "option -game needs 1 value"},
    };
    for (const auto& [command, report] : kCases) {
        ProcessRun run = Execute(bin_ + "/" + command);
        EXPECT_EQ(run.exit_code, 1) << command;
        EXPECT_NE(run.output.find(report), std::string::npos) << command << ":\n" << run.output;
    }
}

TEST_F(ReplayExecutable, RecordedRunsAndKeysReplayToTheSameDigest) {
    ProcessRun recorded = Run("-frames 30 -record " + Work("-a.rec"));
    ASSERT_EQ(recorded.exit_code, 0) << recorded.output;
    ASSERT_NE(Digest(recorded), "") << recorded.output;
    EXPECT_NE(Digest(recorded).find(" frames 30 "), std::string::npos) << Digest(recorded);
    ProcessRun replayed = Run("-playback " + Work("-a.rec"));
    EXPECT_EQ(replayed.exit_code, 0) << replayed.output;
    EXPECT_EQ(Digest(replayed), Digest(recorded));

    // Another run seeds from another clock reading and steps at other times: the digest tells.
    EXPECT_NE(Digest(Run("-frames 30")), Digest(recorded));

    // Keys play back, and what the game saw records again unchanged.
    const std::string keys = WriteRecording(Work("-keys.rec"), 40, true);
    std::filesystem::remove(Work("-again.rec")); // an earlier run's must not stand in for it
    replayed = Run("-playback " + keys + " -record " + Work("-again.rec"));
    ASSERT_EQ(replayed.exit_code, 0) << replayed.output;
    EXPECT_NE(Digest(replayed).find(" frames 40 "), std::string::npos) << Digest(replayed);
    EXPECT_EQ(ReadText(Work("-again.rec")), ReadText(keys))
        << "what the game saw is what it was given";

    const std::string enter = WriteRecording(Work("-enter.rec"), 40, false, vk_enter, 20);
    EXPECT_NE(Digest(Run("-playback " + enter)), Digest(replayed)) << "the arrows moved the dot";

    // Q ends the game at step 10 with its own exit code.
    ProcessRun ended = Run("-playback " + WriteRecording(Work("-quit.rec"), 40, true, 'Q', 10));
    EXPECT_EQ(ended.exit_code, 3) << ended.output;
    EXPECT_NE(Digest(ended).find(" frames 10 "), std::string::npos) << Digest(ended);
}

TEST_F(ReplayExecutable, RecordingsThatCannotBeReplayedAreRefused) {
    const std::string good = WriteRecording(Work(".rec"), 10, true);
    std::string damaged = ReadText(good);
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x10);
    WriteText(Work("-damaged.rec"), damaged);
    const std::string other = WriteField("-other.win", "AnotherGame");
    // The recording format's own test has every refusal; these are the executable's three paths.
    const std::pair<std::string, std::string> kCases[] = {
        {"-playback " + Work("-damaged.rec"),
         "The input recording " + Work("-damaged.rec") + " is damaged\n"},
        {"-playback " + Work("-missing.rec"),
         "Cannot read the input recording " + Work("-missing.rec") + "\n"},
        {"-game " + other + " -playback " + good,
         "The input recording " + good + " was recorded with the game \"ReplayField\", not with "
                                         "this package of \"AnotherGame\"\n"},
    };
    for (const auto& [options, line] : kCases) {
        ProcessRun run = Run(options);
        EXPECT_EQ(run.exit_code, 1) << options;
        // The line ends the output: after the start-up's progress, nothing more ran.
        ASSERT_GE(run.output.size(), line.size()) << run.output;
        EXPECT_EQ(run.output.substr(run.output.size() - line.size()), line);
    }
}

} // namespace
