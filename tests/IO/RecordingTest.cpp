// The recording format: what goes in comes out step by step with its seeds, an idle step costs a
// few bytes, and anything cut short, altered or made for another game is refused.
#include "IO/InputConstants.h"
#include "IO/InputRecording.h"
#include <gtest/gtest.h>


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

} // namespace
