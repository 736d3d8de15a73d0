// The runner executables as players and launchers meet them: exit codes, the start-up order in
// the debug output, refusals of missing, corrupt and stale packages, headless and windowed runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PackageWriter.h"
#include "Runner/ProcessRun.h"

namespace {

const std::string kBin = RUNNER_BIN_DIR;
const std::string kWork = std::string(TEST_BINARY_DIR) + "/runner_executable_test";

// The package of the test game: rooms named rmFirst, rmSecond, ..., the first with the
// creation code `code_name`; with `walker`, a persistent walker stands in the first room.
std::string WriteTestPackage(const std::string& name, const char* code_name, int room_count = 1,
                             bool walker = false) {
    static const char* const kRoomNames[] = {"rmFirst", "rmSecond", "rmThird"};
    GamePackage package;
    package.header.game_name = "TestGame";
    package.header.display_name = "Test Game";
    package.header.window_width = 320;
    package.header.window_height = 180;
    package.header.game_speed = 60;
    package.header.last_instance_id = 100001;
    for (int i = 0; i < room_count; ++i) {
        PackageRoom room;
        room.name = kRoomNames[i];
        room.width = 320;
        room.height = 180;
        room.speed = 60;
        room.creation_code = i == 0 ? 0 : -1;
        package.rooms.emplace_back(room);
        package.header.room_order.push_back(i);
    }
    package.code.push_back({code_name, {}, 0, 0});
    package.code.push_back({"psl_Object_oWalker_Step_0", {}, 0, 0});
    if (walker) {
        PackageObject object;
        object.name = "oWalker";
        object.persistent = true;
        object.events[{3, 0}] = 1;
        package.objects.emplace_back(object);
        package::RoomInstanceRecord instance{};
        instance.id = 100001;
        instance.creation_code = instance.pre_create_code = -1;
        instance.scale_x = instance.scale_y = instance.image_speed = 1;
        package.rooms[0]->instances.push_back(instance);
    }
    std::string path = kWork + "/" + name;
    EXPECT_TRUE(WritePackageFile(package, path));
    return path;
}

class RunnerExecutable : public ::testing::Test {
protected:
    static void SetUpTestSuite() { std::filesystem::create_directories(kWork); }
    // Each test has its own files: ctest runs tests side by side.
    const std::string test_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string game_ = WriteTestPackage(test_ + ".win", "psl_Room_rmFirst_Create");
};

TEST_F(RunnerExecutable, HeadlessRunsStartUpInOrderAndEndWithTheGamesExitCode) {
    std::string log = kWork + "/" + test_ + ".log";
    ProcessRun run = Execute(kBin + "/test_game -game " + game_ + " -headless -end -debugoutput " + log);
    EXPECT_EQ(run.exit_code, 7) << run.output;
    std::string debug = ReadText(log);
    size_t at = 0;
    for (const char* line :
         {"Create Error Form", "Runner v1.0(999)[r32908]", "Reading File", "Loaded File", "IFF wad found",
          "Get Resolution", "InitPSLFunctions", "Create Window", "Init Graphics", "IO Init",
          "Process Messages", "Start Frame", "VM Init", "Do The Work", "LoadGameData()",
          "initialise everything!", "PrepareGame()", "Object_Prepare() ", "Sound_Prepare() ",
          "Finished PrepareGame() ", "Run_Start"}) {
        size_t found = debug.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " missing or out of order in:\n" << debug;
        at = found;
    }
    EXPECT_EQ(debug.find("Entering main loop."), std::string::npos); // headless stops before the loop
}

TEST_F(RunnerExecutable, SavesGoToTheGamesFolderInThePlayersDataFolder) {
    std::string data = kWork + "/" + test_ + "-data";
    std::filesystem::remove_all(data);
    ProcessRun run = Execute("XDG_DATA_HOME=" + data + " " + kBin + "/test_game -game " + game_ + " -headless -save");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_EQ(ReadText(data + "/TestGame/check.txt"), "Merry Snowtide!");
}

TEST_F(RunnerExecutable, WindowlessRunsGoOnUntilTheFrameLimit) {
    ProcessRun run = Execute(kBin + "/test_game -game " + game_ + " -nowindow -frames 5 -tracestages");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    size_t loop = run.output.find("Entering main loop.");
    ASSERT_NE(loop, std::string::npos);
    size_t steps = 0;
    for (size_t at = loop; (at = run.output.find("stage End Step\n", at)) != std::string::npos; ++at) ++steps;
    EXPECT_EQ(steps, 5u);
    ProcessRun ended = Execute(kBin + "/test_game -game " + game_ + " -nowindow -end");
    EXPECT_EQ(ended.exit_code, 7) << ended.output;
}

TEST_F(RunnerExecutable, AWindowlessGameWalksItsRoomsInOrderAndEndsPastTheLast) {
    std::string rooms = WriteTestPackage(test_ + "-rooms.win", "psl_Room_rmFirst_Create", 3, true);
    std::string log = kWork + "/" + test_ + ".log";
    ProcessRun run = Execute(kBin + "/test_game -game " + rooms + " -nowindow -frames 10 -debugoutput " + log);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    std::string debug = ReadText(log);
    size_t second = debug.find("SwitchRoom to rmSecond\n");
    size_t third = debug.find("SwitchRoom to rmThird\n");
    size_t past = debug.find("ERROR!!! :: Moving to next room after the last room.\n");
    ASSERT_NE(second, std::string::npos) << debug;
    EXPECT_LT(second, third);
    EXPECT_LT(third, past);
    EXPECT_NE(past, std::string::npos);
}

TEST_F(RunnerExecutable, AWindowOpensWithoutADisplay) {
    // Mesa's software driver leaves allocations behind when it is unloaded at exit, where a
    // leak check can no longer tell whose they were: the check is off for this one run.
    ProcessRun run = Execute("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" SDL_VIDEODRIVER=offscreen " + kBin +
                             "/test_game -game " + game_ + " -frames 3");
    EXPECT_EQ(run.exit_code, 0) << run.output;
}

TEST_F(RunnerExecutable, AGameStartedWithExitHandsBackToTheOtherGame) {
    std::string back = WriteTestPackage(test_ + "-end.win", "psl_Room_rmFirst_Create");
    // The first game ends at once (headless); the runner then starts over as "-game <back>"
    // in a window, where the second game ends with its own code.
    ProcessRun run = Execute("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" SDL_VIDEODRIVER=offscreen " + kBin +
                             "/test_game -game " + game_ + " -headless -exit " + back);
    EXPECT_EQ(run.exit_code, 7) << run.output;
    EXPECT_NE(run.output.find("Reading File " + back), std::string::npos) << run.output;
}

TEST_F(RunnerExecutable, ScriptErrorsAndCrashesEndWithCodeOneAndAReport) {
    ProcessRun failed = Execute(kBin + "/test_game -game " + game_ + " -headless -fail");
    EXPECT_EQ(failed.exit_code, 1);
    EXPECT_NE(failed.output.find("FATAL FATAL ERROR in Room Creation Code for room rmFirst"), std::string::npos)
        << failed.output;
    EXPECT_NE(failed.output.find("unable to convert string \"snow\" to number"), std::string::npos);

    ProcessRun crashed = Execute(kBin + "/test_game -game " + game_ + " -headless -crash");
    EXPECT_EQ(crashed.exit_code, 1);
    EXPECT_NE(crashed.output.find("Exception detected during headless!\nPSL stack frame is!\n"
                                  "psl_Room_rmFirst_Create\nFailing function is\npsl_Room_rmFirst_Create\n"
                                  "Exception happened code=0000000b"),
              std::string::npos)
        << crashed.output;
}

TEST_F(RunnerExecutable, MissingCorruptAndStalePackagesAreRefused) {
    ProcessRun missing = Execute(kBin + "/test_game -game " + kWork + "/nothing.win -headless");
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.output.find("Unable to find game!!: " + kWork + "/nothing.win"), std::string::npos);

    std::string corrupt = kWork + "/" + test_ + "-corrupt.win";
    std::ofstream(corrupt) << "FORM but nothing after it";
    ProcessRun refused = Execute(kBin + "/test_game -game " + corrupt + " -headless");
    EXPECT_EQ(refused.exit_code, 1);

    std::string stale = WriteTestPackage(test_ + "-stale.win", "psl_Room_rmOld_Create");
    ProcessRun mismatch = Execute(kBin + "/test_game -game " + stale + " -headless");
    EXPECT_EQ(mismatch.exit_code, 1);
    EXPECT_NE(mismatch.output.find("psl_Room_rmOld_Create"), std::string::npos) << mismatch.output;

    // The plain runner has no game linked in: a package with code does not match it.
    EXPECT_EQ(Execute(kBin + "/runner -game " + game_ + " -headless").exit_code, 1);
    ProcessRun bad_line = Execute(kBin + "/runner -game");
    EXPECT_EQ(bad_line.exit_code, 1);
    EXPECT_NE(bad_line.output.find("option -game needs 1 value"), std::string::npos);
}

} // namespace
