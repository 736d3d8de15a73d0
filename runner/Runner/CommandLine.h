// The runner's command line: the options it knows, the tokens it keeps for `parameter_string`,
// and the rules for one command-line string (blanks separate tokens, double quotes group them).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A token of this many bytes or more stops the runner.
constexpr size_t COMMAND_LINE_TOKEN_LIMIT = 4096;

struct RunnerOptions {
    std::string game_file; // the package to load; "" when none is known
    std::vector<std::string> parameters; // every token, the program first

    bool debugger = false;
    int32_t debug_level = 0;
    bool trace = false;
    bool vm_trace = false;
    bool extension_diagnostics = false;
    bool runtime_errors = true;
    bool new_executor = true;
    bool no_audio = false;
    bool in_a_window = false; // never full screen
    bool full_screen = false; // full screen at start, whatever the package says
    std::string exit_game; // the game to return to when this one ends
    std::string dir;
    std::string debug_symbols;
    std::string record_path;
    std::string playback_path;
    bool store_service = false;
    bool software = false;
    bool intel_first = false;
    bool intel_second = false;
    bool network_debug = false;
    bool vanilla_graphics = false;
    std::string output_path; // error output to this file
    std::string debug_output_path; // debug output to this file
    bool headless = false; // no window; ends once the first room has started
    std::string profile_dump_path;
    int32_t profile_dump_frames = 0;
    int32_t sleep_margin_ms = -1; // -1: not given
    bool multi_vertex_buffers = false;
    bool no_vertex_buffers = false;
    bool compress_textures = false;
    bool manual_vsync = false;
    bool no_direct_input = false;
    bool no_store_restart = false;
    std::string launch_argument;

    // Our own: the whole game with null graphics, audio and input; and a bounded run.
    bool no_window = false;
    int64_t frame_limit = -1; // -1: no limit
    bool trace_stages = false; // each step stage's name to the debug output
    bool digest = false; // one line with a hash of the game's state at the end
    std::string screenshot_path; // the window's picture of the last frame, as PNG
    bool unpaced = false; // frames back to back, without waiting or vertical sync
    bool help = false;
    bool version = false;
};

struct CommandLineResult {
    bool ok = true;
    std::string error; // one line, when !ok
};

// Reads the options from tokens (the program name first). `default_game` is the "data.win"
// found beside the executable, or "".
CommandLineResult ParseCommandLine(const std::vector<std::string>& tokens,
                                   const std::string& default_game, RunnerOptions& options);

// Splits one command-line string: characters below 33 separate tokens; a double quote toggles
// quoting (inside, blanks belong to the token) and is dropped.
CommandLineResult SplitCommandLine(std::string_view line, std::vector<std::string>& tokens);

// The texts printed by --help and --version, for the program of that name.
std::string CommandLineHelp(const std::string& program);
std::string VersionLine(const std::string& program);
