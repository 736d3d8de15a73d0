// Input recordings. The format: what goes in comes out step by step with its seeds, an idle step
// costs a few bytes, and anything cut short, altered or made for another game is refused. And
// recording and playback through the executables, as a tester replays a run without a display:
// the replay ends on the same digest, the game's own exit code still counts, and recordings
// that cannot be replayed are refused with one line.
#include "IO/InputConstants.h"
#include "IO/InputRecording.h"
#include "Runner/ExecutableTest.h"

namespace {

const RecordingIdentity kGame = MakeRecordingIdentity("Snow", 7, {1, 2, 3});

// Six steps: idle, keys and text, the mouse moved and pressed with a gamepad plugged in, its
// stick moved, a released key with the gamepad unplugged, idle; seeds at the start and in two
// steps.
struct Sample {
    std::vector<InputFrame> frames;
    std::vector<std::vector<uint32_t>> seeds; // per step
    std::vector<uint32_t> start_seeds{0xDEADBEEF};
    std::string bytes;

    Sample() {
        InputFrame frame;
        frame.delta_time_us = 16'667;
        frames.push_back(frame);
        frame.delta_time_us = 16'650;
        frame.keyboard.keys.held[vk_right] = frame.keyboard.keys.pressed[vk_right] = 1;
        frame.keyboard.key = frame.keyboard.last_key = vk_right;
        frame.keyboard.text = "h\xC3\xA9";
        frames.push_back(frame);
        frame.keyboard.keys.pressed[vk_right] = 0;
        frame.mouse.position = {100.5f, -3};
        frame.mouse.picture_width = 320;
        frame.mouse.picture_height = 180;
        frame.mouse.held[0] = frame.mouse.pressed[0] = 1;
        frame.mouse.wheel_up = true;
        frame.gamepads.resize(2);
        GamepadSlotState& pad = frame.gamepads[1];
        pad = {true, true, "Snow Pad", "03000000,Snow Pad,a:b0,", {}};
        pad.values.buttons.assign(16, 0.0f);
        pad.values.buttons[12] = 1;
        pad.values.axes = {0, -0.5f, 0, 0};
        pad.values.hats = {0, 4};
        frames.push_back(frame);
        frame.mouse.pressed[0] = 0;
        frame.mouse.wheel_up = false;
        frame.gamepads[1].values.axes[1] = 0.25f;
        frame.gamepads[1].values.hats[1] = 0;
        frames.push_back(frame);
        frame.gamepads[1] = GamepadSlotState{};
        frame.keyboard.keys.held[vk_right] = 0;
        frame.keyboard.keys.released[vk_right] = 1;
        frame.keyboard.key = 0;
        frame.delta_time_us = 1'000'000;
        frames.push_back(frame);
        frame.keyboard.keys.released[vk_right] = 0;
        frames.push_back(frame);
        seeds = {{}, {42, 7}, {}, {}, {~0u}, {}};

        RecordingEncoder encoder(kGame);
        for (uint32_t seed : start_seeds) encoder.Seed(seed);
        for (size_t i = 0; i < frames.size(); ++i) {
            encoder.Step(frames[i]);
            for (uint32_t seed : seeds[i]) encoder.Seed(seed);
        }
        bytes = encoder.Take();
        encoder.End();
        bytes += encoder.Take();
    }
};

std::string OpenError(const std::string& bytes, const RecordingIdentity& game = kGame) {
    RecordingDecoder decoder;
    std::string error;
    return decoder.Open(bytes, game, error) ? "" : error;
}

TEST(InputRecordingTest, StepsAndSeedsComeBackAsRecorded) {
    const Sample sample;
    RecordingDecoder decoder;
    std::string error;
    ASSERT_TRUE(decoder.Open(sample.bytes, kGame, error)) << error;
    EXPECT_EQ(decoder.StepCount(), 6);
    EXPECT_EQ(decoder.StartSeeds(), sample.start_seeds);
    for (size_t i = 0; i < sample.frames.size(); ++i) {
        ASSERT_FALSE(decoder.AtEnd());
        InputFrame frame;
        std::vector<uint32_t> seeds{99};
        ASSERT_TRUE(decoder.NextStep(frame, seeds));
        EXPECT_EQ(frame, sample.frames[i]) << "step " << i;
        EXPECT_EQ(seeds, sample.seeds[i]) << "step " << i;
    }
    InputFrame frame;
    std::vector<uint32_t> seeds;
    EXPECT_TRUE(decoder.AtEnd());
    EXPECT_FALSE(decoder.NextStep(frame, seeds));
}

TEST(InputRecordingTest, AnIdleStepCostsAFewBytes) {
    RecordingEncoder encoder(kGame);
    InputFrame frame;
    frame.delta_time_us = 16'667;
    frame.keyboard.keys.held[vk_left] = 1;
    frame.gamepads.resize(12);
    frame.gamepads[0] = {true, true, "Pad", "", {std::vector<float>(16, 0.0f), {0.1f, 0, 0, 0}, {}}};
    encoder.Step(frame);
    encoder.Take();
    for (int64_t jitter : {0, 40, -300}) {
        frame.delta_time_us = 16'667 + jitter;
        encoder.Step(frame);
        EXPECT_LE(encoder.Take().size(), 4u) << "jitter " << jitter;
    }
}

TEST(InputRecordingTest, RefusesWhatCannotBeReplayed) {
    const Sample sample;
    EXPECT_EQ(OpenError(""), "is not an input recording");
    EXPECT_EQ(OpenError("INPUTREX" + sample.bytes.substr(8)), "is not an input recording");
    EXPECT_EQ(OpenError(sample.bytes, MakeRecordingIdentity("Snow", 8, {1, 2, 3})),
              "was recorded with the game \"Snow\", not with this package of \"Snow\"");
    std::string newer = sample.bytes;
    newer[8] = 2;
    EXPECT_EQ(OpenError(newer), "has format version 2; this runner reads version 1");

    // Every shorter file is cut short somewhere.
    for (size_t size = 8; size < sample.bytes.size(); ++size)
        EXPECT_EQ(OpenError(sample.bytes.substr(0, size)), "is truncated") << size;
    // Any byte after the header changed: the checksum, or the structure, gives it away.
    const size_t header = 8 + 2 + 8 + 1 + 4;
    for (size_t at = header; at < sample.bytes.size(); ++at) {
        for (uint8_t flip : {0x01, 0x80}) {
            std::string damaged = sample.bytes;
            damaged[at] = char(damaged[at] ^ flip);
            EXPECT_NE(OpenError(damaged), "") << "byte " << at << " flipped by " << int(flip);
        }
    }
    EXPECT_EQ(OpenError(sample.bytes + "x"), "is damaged") << "nothing may follow the end";
}

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
