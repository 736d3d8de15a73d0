// Recording and playback through the executables, as a tester replays a run without a display:
// the replay ends on the same digest, the game's own exit code still counts, and recordings
// that cannot be replayed are refused with one line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "IO/InputConstants.h"
#include "IO/InputRecording.h"
#include "PackageWriter.h"
#include "Runner/ProcessRun.h"

namespace {

const std::string kBin = RUNNER_BIN_DIR;
const std::string kWork = std::string(TEST_BINARY_DIR) + "/replay_executable_test";
constexpr uint32_t kGameId = 17;
const std::array<uint8_t, 16> kGuid{9, 8, 7};

// The field of the replay test game: one room whose creation code seeds from the clock, and
// the dot that moves by random numbers, delta_time and keys.
std::string WriteField(const std::string& file, const char* game_name = "ReplayField") {
    GamePackage package;
    package.header.game_name = game_name;
    package.header.game_id = kGameId;
    package.header.guid = kGuid;
    package.header.window_width = 320;
    package.header.window_height = 180;
    package.header.game_speed = 60;
    package.header.last_instance_id = 100001;
    package.header.room_order = {0};
    PackageRoom room;
    room.name = "rmField";
    room.width = 320;
    room.height = 180;
    room.speed = 60;
    room.creation_code = 0;
    package.rooms.emplace_back(room);
    package.code.push_back({"psl_Room_rmField_Create", {}, 0, 0});
    package.code.push_back({"psl_Object_oDot_Step_0", {}, 0, 0});
    PackageObject dot;
    dot.name = "oDot";
    dot.events[{3, 0}] = 1;
    package.objects.emplace_back(dot);
    package::RoomInstanceRecord instance{};
    instance.id = 100001;
    instance.x = instance.y = 10;
    instance.creation_code = instance.pre_create_code = -1;
    instance.scale_x = instance.scale_y = instance.image_speed = 1;
    package.rooms[0]->instances.push_back(instance);
    const std::string path = kWork + "/" + file;
    EXPECT_TRUE(WritePackageFile(package, path));
    return path;
}

// A recording made by hand: `steps` steps at 60 frames per second, with `arrows` the right arrow
// held from step 5 to 15 and space pressed at 20, and `key` pressed at `key_step`; two seeds at
// the start (the runner's own and the room's `randomize`).
std::string WriteRecording(const std::string& file, int steps, bool arrows, int32_t key = 0,
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
    const std::string path = kWork + "/" + file;
    std::ofstream(path, std::ios::binary) << encoder.Take();
    return path;
}

std::string Digest(const ProcessRun& run) {
    const size_t at = run.output.find("digest ");
    return at == std::string::npos ? "" : run.output.substr(at, run.output.find('\n', at) - at);
}

class ReplayExecutable : public ::testing::Test {
protected:
    static void SetUpTestSuite() { std::filesystem::create_directories(kWork); }

    ProcessRun Run(const std::string& options) {
        return Execute(kBin + "/replay_test_game -game " + game_ + " -nowindow -digest " + options);
    }
    std::string Work(const std::string& suffix) const { return kWork + "/" + test_ + suffix; }

    const std::string test_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string game_ = WriteField(test_ + ".win");
};

TEST_F(ReplayExecutable, ARecordedRunReplaysToTheSameDigest) {
    ProcessRun recorded = Run("-frames 30 -record " + Work("-a.rec"));
    ASSERT_EQ(recorded.exit_code, 0) << recorded.output;
    ASSERT_NE(Digest(recorded), "") << recorded.output;
    EXPECT_NE(Digest(recorded).find(" frames 30 "), std::string::npos) << Digest(recorded);
    ProcessRun replayed = Run("-playback " + Work("-a.rec"));
    EXPECT_EQ(replayed.exit_code, 0) << replayed.output;
    EXPECT_EQ(Digest(replayed), Digest(recorded));

    // Another run seeds from another clock reading and steps at other times: the digest tells.
    ProcessRun other = Run("-frames 30 -record " + Work("-b.rec"));
    EXPECT_NE(Digest(other), Digest(recorded));
    EXPECT_EQ(Digest(Run("-playback " + Work("-b.rec"))), Digest(other));
}

TEST_F(ReplayExecutable, KeysPlayBackAndRecordAgainUnchanged) {
    const std::string keys = WriteRecording(test_ + "-keys.rec", 40, true);
    ProcessRun replayed = Run("-playback " + keys + " -record " + Work("-again.rec"));
    ASSERT_EQ(replayed.exit_code, 0) << replayed.output;
    EXPECT_NE(Digest(replayed).find(" frames 40 "), std::string::npos) << Digest(replayed);
    EXPECT_EQ(ReadText(Work("-again.rec")), ReadText(keys))
        << "what the game saw is what it was given";
    EXPECT_EQ(Digest(Run("-playback " + Work("-again.rec"))), Digest(replayed));

    const std::string enter = WriteRecording(test_ + "-enter.rec", 40, false, vk_enter, 20);
    EXPECT_NE(Digest(Run("-playback " + enter)), Digest(replayed)) << "the arrows moved the dot";

    // Q ends the game at step 10 with its own exit code.
    ProcessRun ended = Run("-playback " + WriteRecording(test_ + "-quit.rec", 40, true, 'Q', 10));
    EXPECT_EQ(ended.exit_code, 3) << ended.output;
    EXPECT_NE(Digest(ended).find(" frames 10 "), std::string::npos) << Digest(ended);
}

TEST_F(ReplayExecutable, RecordingsThatCannotBeReplayedAreRefused) {
    const std::string good = WriteRecording(test_ + ".rec", 10, true);
    const std::string bytes = ReadText(good);
    std::string damaged = bytes;
    damaged[bytes.size() / 2] = char(damaged[bytes.size() / 2] ^ 0x10);
    std::ofstream(Work("-damaged.rec"), std::ios::binary) << damaged;
    std::ofstream(Work("-cut.rec"), std::ios::binary) << bytes.substr(0, bytes.size() - 3);
    const std::string other = WriteField(test_ + "-other.win", "AnotherGame");

    const struct {
        std::string command;
        std::string line;
    } kCases[] = {
        {"-playback " + Work("-damaged.rec"),
         "The input recording " + Work("-damaged.rec") + " is damaged\n"},
        {"-playback " + Work("-cut.rec"),
         "The input recording " + Work("-cut.rec") + " is truncated\n"},
        {"-playback " + Work("-missing.rec"),
         "Cannot read the input recording " + Work("-missing.rec") + "\n"},
        {"-playback " + game_, "The input recording " + game_ + " is not an input recording\n"},
        {"-game " + other + " -playback " + good,
         "The input recording " + good +
             " was recorded with the game \"ReplayField\", not with this package of "
             "\"AnotherGame\"\n"},
    };
    for (const auto& c : kCases) {
        ProcessRun run = Run(c.command);
        EXPECT_EQ(run.exit_code, 1) << c.command;
        // The line ends the output: after the start-up's progress, nothing more ran.
        ASSERT_GE(run.output.size(), c.line.size()) << run.output;
        EXPECT_EQ(run.output.substr(run.output.size() - c.line.size()), c.line);
    }
}

} // namespace
