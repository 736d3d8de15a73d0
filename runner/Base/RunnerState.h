// Runner-wide state that the frame loop acts on and the rest of the runner requests changes
// of: the pending room request, whether the loop runs, frame timing, the process's exit code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t PENDING_NONE = -1;
constexpr int32_t PENDING_END_GAME = -100;
constexpr int32_t PENDING_RESTART_GAME = -200;
constexpr int32_t PENDING_LOAD_GAME = -300;
constexpr int32_t PENDING_ABORT_GAME = -400;

struct RunnerState {
    int32_t pending_room = PENDING_NONE;
    bool running = false;
    bool quit_requested = false;
    bool game_aborted = false;
    // A run started by a relaunch for a game change ends its game instead of the process.
    bool relaunched = false;
    int32_t exit_code = 0;
    std::string caption; // the window's caption, also the caption of message boxes
    std::vector<std::string> parameters; // the command line's tokens, the program first

    // The game as the package describes it.
    int32_t major_version = 0;
    double game_speed = 60; // frames per second, major version 2 and later
    std::vector<int32_t> room_order;
    int32_t current_room = -1;
    // Collision boxes round to nearest (halves away from zero) unless an old package asks for
    // fast collision without its compatibility mode: then they are truncated.
    bool round_collision_boxes = true;
    // Collision events found through the grid from the instances that moved, rather than by
    // testing every pair of objects that answer each other.
    bool collision_events_through_grid = false;
    // Headless runs end once the first room's creation code has run.
    bool end_after_first_creation_code = false;

    // Frame pacing.
    int32_t sleep_margin_ms = 10;
    bool sleep_enabled = true;
    int32_t vsync_flag = 1;
    int64_t frame_start_us = 0;
    int64_t last_frame_us = 0;
    int64_t delta_time_us = 0;
    int32_t fps = 0;
    uint64_t frame_counter = 0; // passes over the instances
    int32_t frames_drawn = 0;
    bool trace_stages = false; // write each step stage's name to the debug output
};

// Inline, as the hottest paths (each event dispatch) ask for it.
inline RunnerState& Runner() {
    static RunnerState state;
    return state;
}
