// Recording and playback through the executables, as a tester replays a run without a display:
// the replay ends on the same digest, the game's own exit code still counts, and recordings
// that cannot be replayed are refused with one line.
#include "IO/InputConstants.h"
#include "IO/InputRecording.h"
#include "Runner/ExecutableTest.h"

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

class ReplayExecutable : public ExecutableTest {
protected:
    ReplayExecutable() : ExecutableTest("replay_executable_test") {}
    // The test game's field: one room whose creation code seeds from the clock, and the dot
    // that moves by random numbers, delta_time and keys.
    std::string WriteField(const std::string& suffix, const char* game_name = "ReplayField") {
        GamePackage package;
        package.header.game_name = game_name;
        package.header.game_id = kGameId;
        package.header.guid = kGuid;
        return WriteGame(suffix, std::move(package), {"rmField"}, 2, "oDot", true);
    }
    ProcessRun Run(const std::string& options) {
        return Execute(bin_ + "/test_game -game " + game_ + " -nowindow -digest " + options);
    }

    std::string game_ = WriteField(".win");
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
    EXPECT_NE(Digest(Run("-frames 30")), Digest(recorded));
}

TEST_F(ReplayExecutable, KeysPlayBackAndRecordAgainUnchanged) {
    const std::string keys = WriteRecording(Work("-keys.rec"), 40, true);
    ProcessRun replayed = Run("-playback " + keys + " -record " + Work("-again.rec"));
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
