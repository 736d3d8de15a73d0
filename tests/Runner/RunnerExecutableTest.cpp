// The runner executables as players and launchers meet them: exit codes, the start-up order in
// the debug output, refusals of missing, corrupt and stale packages, headless and windowed runs.
#include "Runner/ExecutableTest.h"

namespace {

class RunnerExecutable : public ExecutableTest {
protected:
    RunnerExecutable() : ExecutableTest("runner_executable_test") {}
    // The test game; with `walker`, a persistent walker stands in the first of three rooms.
    std::string WriteTestPackage(const std::string& suffix, bool walker = false,
                                 bool stale = false) {
        GamePackage package;
        package.header.game_name = "TestGame";
        package.header.display_name = "Test Game";
        const std::vector rooms =
            walker ? std::vector{"rmFirst", "rmSecond", "rmThird"} : std::vector{"rmFirst"};
        return WriteGame(suffix, std::move(package), rooms, 0, "oWalker", walker, stale);
    }
    ProcessRun Game(const std::string& options, const std::string& environment = "") {
        return Execute(environment + bin_ + "/test_game -game " + options);
    }

    std::string game_ = WriteTestPackage(".win");
};

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
    ProcessRun run = Game(game_ + " -frames 3", windowed);
    EXPECT_EQ(run.exit_code, 0) << run.output;

    // The first game ends at once (headless); the runner then starts over as "-game <back>"
    // in a window, where the second game ends with its own code.
    const std::string back = WriteTestPackage("-end.win");
    run = Game(game_ + " -headless -exit " + back, windowed);
    EXPECT_EQ(run.exit_code, 7) << run.output;
    EXPECT_NE(run.output.find("Reading File " + back), std::string::npos) << run.output;
}

TEST_F(RunnerExecutable, FailuresEndWithCodeOneAndSayWhy) {
    const std::string corrupt = Work("-corrupt.win");
    WriteText(corrupt, "FORM but nothing after it");
    const std::string stale = WriteTestPackage("-stale.win", false, true);
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
        {"test_game -headless -game " + stale, "psl_Room_rmOld_Create"},
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

} // namespace
