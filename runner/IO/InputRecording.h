// The input recording format: for each step, what the game's input built-ins read (keys, typed
// text, mouse, gamepads), the step's delta_time, and every seed given to the random generator. Each step
// stores only what changed since the step before, so a step with no change costs three or four
// bytes. The layout is described in the README ("Input recordings").
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "IO/GamepadSnapshot.h"
#include "IO/KeyboardState.h"
#include "IO/MouseState.h"
#include "IO/StateHash.h"

constexpr uint16_t RECORDING_VERSION = 1;

// Which game a recording belongs to: a hash of the package's name and ids, and the name for
// messages.
struct RecordingIdentity {
    uint64_t hash = 0;
    std::string name;
};
RecordingIdentity MakeRecordingIdentity(std::string_view game_name, uint32_t game_id,
                                        const std::array<uint8_t, 16>& guid);

// One step of a recording.
struct InputFrame {
    int64_t delta_time_us = 0;
    KeyboardSnapshot keyboard;
    MouseSnapshot mouse;
    GamepadSnapshot gamepads;
    bool focus_lost = false;
    bool operator==(const InputFrame&) const = default;
};

class RecordingEncoder {
public:
    explicit RecordingEncoder(const RecordingIdentity& game);

    void Step(const InputFrame& frame);
    // A seed given since the last step (before the first one: while the game started).
    void Seed(uint32_t seed);
    // The end mark with the step count and the checksum; nothing may follow.
    void End();
    // The bytes made since the last call.
    std::string Take();

private:
    void Block(uint8_t tag, std::string_view body);

    std::string out_;
    StateHash checksum_;
    InputFrame previous_;
    int64_t steps_ = 0;
};

class RecordingDecoder {
public:
    // Checks the whole recording (header, game, every block, the end's count and checksum) and
    // reads the seeds given before the first step. False, with one line saying why, when it
    // cannot be replayed.
    bool Open(std::string bytes, const RecordingIdentity& game, std::string& error);

    // The next step and the seeds given during it; false after the last.
    bool NextStep(InputFrame& frame, std::vector<uint32_t>& seeds);
    bool AtEnd() const;
    const std::vector<uint32_t>& StartSeeds() const { return start_seeds_; }
    int64_t StepCount() const { return step_count_; }

private:
    enum class Read { Step, End, Damaged };
    void Rewind();
    // Reads one block at the reading position; false, marking the recording truncated, when it
    // runs past the end.
    bool Entry(uint8_t& tag, std::string_view& body);
    bool Advance(std::vector<uint32_t>& seeds);
    Read ReadUntilStep(std::vector<uint32_t>& seeds);

    std::string bytes_;
    size_t at_ = 0;
    size_t first_block_ = 0;
    bool truncated_ = false;
    uint64_t end_count_ = 0;
    std::vector<uint32_t> start_seeds_;
    int64_t step_count_ = 0;
    InputFrame frame_;
};
