// Recording and playing back a run: with -record, each step's input state, delta_time and the
// seeds given to the random generator go to a file; with -playback they come from one instead
// of from the player and the clock, so the run repeats exactly, as fast as it can go.
#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>

#include "IO/InputRecording.h"

struct InputState;

class InputReplay {
public:
    ~InputReplay();

    // Empty when it started; otherwise one line saying why not.
    std::string StartRecording(const std::string& path, const RecordingIdentity& game);
    std::string StartPlayback(const std::string& path, const RecordingIdentity& game);
    // Ends the recording file and the playback.
    void Stop();

    bool Recording() const { return file_ != nullptr; }
    bool Playing() const { return decoder_ != nullptr; }
    // Playback has run every recorded step.
    bool Finished() const { return decoder_ && decoder_->AtEnd(); }

    // At the step's input stage: what the step's update made of the player's input is written;
    // or the recorded step takes the update's place, its delta_time too.
    void RecordStep(const InputState& input, int64_t delta_time_us);
    void PlayStep(InputState& input, int64_t& delta_time_us);
    // Every seed given to the random generator: written, or replaced by the recorded one.
    uint32_t Seed(uint32_t seed);

private:
    void StopRecording();
    void Flush();
    uint32_t RecordedSeed(uint32_t given);

    RecordingEncoder encoder_{RecordingIdentity{}};
    std::FILE* file_ = nullptr;
    std::string path_;
    std::unique_ptr<RecordingDecoder> decoder_;
    std::deque<uint32_t> seeds_;
    bool seeds_ran_out_ = false;
};

// The run's one recorder and player.
InputReplay& RunnerReplay();
