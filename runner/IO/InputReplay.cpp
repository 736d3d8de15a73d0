#include "IO/InputReplay.h"

#include <fstream>
#include <sstream>

#include "Base/OutputChannel.h"
#include "IO/GamepadLayer.h"
#include "IO/InputState.h"

InputReplay::~InputReplay() { Stop(); }

std::string InputReplay::StartRecording(const std::string& path, const RecordingIdentity& game) {
    StopRecording();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return "Cannot write the input recording " + path;
    path_ = path;
    encoder_ = RecordingEncoder(game);
    Flush();
    return {};
}

std::string InputReplay::StartPlayback(const std::string& path, const RecordingIdentity& game) {
    decoder_.reset();
    std::ifstream in(path, std::ios::binary);
    if (!in) return "Cannot read the input recording " + path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    auto decoder = std::make_unique<RecordingDecoder>();
    std::string error;
    if (!decoder->Open(bytes.str(), game, error))
        return "The input recording " + path + " " + error;
    seeds_.assign(decoder->StartSeeds().begin(), decoder->StartSeeds().end());
    decoder_ = std::move(decoder);
    seeds_ran_out_ = false;
    return {};
}

void InputReplay::Stop() {
    decoder_.reset();
    seeds_.clear();
    StopRecording();
}

void InputReplay::StopRecording() {
    if (!file_) return;
    encoder_.End();
    Flush();
    if (std::fclose(file_) != 0)
        ErrorOutput().Printf("The input recording %s is incomplete\n", path_.c_str());
    file_ = nullptr;
}

void InputReplay::Flush() {
    const std::string bytes = encoder_.Take();
    if (file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        ErrorOutput().Printf("Cannot write the input recording %s\n", path_.c_str());
}

void InputReplay::RecordStep(const InputState& input, int64_t delta_time_us) {
    if (!file_) return;
    encoder_.Step({delta_time_us, input.keyboard.Current(), input.mouse.Current(), RunnerGamepads().Snapshot(),
                   input.focus_lost});
    Flush();
}

void InputReplay::PlayStep(InputState& input, int64_t& delta_time_us) {
    InputFrame frame;
    std::vector<uint32_t> seeds;
    if (!decoder_ || !decoder_->NextStep(frame, seeds)) return;
    input.keyboard.SetCurrent(frame.keyboard);
    input.mouse.SetCurrent(frame.mouse);
    RunnerGamepads().Apply(frame.gamepads);
    input.focus_lost = frame.focus_lost;
    delta_time_us = frame.delta_time_us;
    seeds_.assign(seeds.begin(), seeds.end());
}

uint32_t InputReplay::Seed(uint32_t seed) {
    if (decoder_) seed = RecordedSeed(seed);
    if (file_) encoder_.Seed(seed);
    return seed;
}

uint32_t InputReplay::RecordedSeed(uint32_t given) {
    if (seeds_.empty()) {
        // The game asked for a seed the recorded run never did: it no longer plays the same.
        if (!seeds_ran_out_)
            ErrorOutput().Write("The input recording holds no seed for this step\n");
        seeds_ran_out_ = true;
        return given;
    }
    const uint32_t recorded = seeds_.front();
    seeds_.pop_front();
    return recorded;
}

InputReplay& RunnerReplay() {
    static InputReplay replay;
    return replay;
}
