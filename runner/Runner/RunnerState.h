// Runner-wide state that the frame loop acts on and the rest of the runner requests changes
// of: the pending room request, whether the loop runs, the process's exit code.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t PENDING_NONE = -1;
constexpr int32_t PENDING_END_GAME = -100;
constexpr int32_t PENDING_RESTART_GAME = -200;
constexpr int32_t PENDING_LOAD_GAME = -300;
constexpr int32_t PENDING_ABORT_GAME = -400;

struct RunnerState {
    int32_t pending_room = PENDING_NONE;
    bool running = false;
    bool game_aborted = false;
    // A run started by a relaunch for a game change ends its game instead of the process.
    bool relaunched = false;
    int32_t exit_code = 0;
    std::string caption; // the window's caption, also the caption of message boxes
};

RunnerState& Runner();
