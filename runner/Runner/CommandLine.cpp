#include "Runner/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

using Apply = void (*)(RunnerOptions& options, const std::string* values);

struct OptionSpec {
    const char* name;
    int value_count;
    Apply apply;
    const char* help;
};

bool ParseInt(const std::string& text, int64_t& out) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && ptr == end;
}

int32_t ParseInt32Or(const std::string& text, int32_t fallback) {
    int64_t value = 0;
    if (!ParseInt(text, value) || value < INT32_MIN || value > INT32_MAX) return fallback;
    return static_cast<int32_t>(value);
}

// Options compare exactly and case-sensitively. "Recorded" options set a value that nothing
// else reads.
constexpr OptionSpec kOptions[] = {
    {"-game", 1, [](RunnerOptions& o, const std::string* v) { o.game_file = v[0]; },
     "PATH  the game package to run (default: data.win beside the runner)"},
    {"-debug", 0,
     [](RunnerOptions& o, const std::string*) {
         // A data.win beside the runner wins over the debugger.
         if (!o.game_file.empty()) return;
         o.debugger = true;
         o.debug_level = 2;
     },
     "      debugger connection on (only when no game is known yet)"},
    {"-trace", 0, [](RunnerOptions& o, const std::string*) { o.trace = true; }, "      script-call trace"},
    {"-vmtrace", 0, [](RunnerOptions& o, const std::string*) { o.vm_trace = true; }, "      code-executor trace"},
    {"-ext", 0, [](RunnerOptions& o, const std::string*) { o.extension_diagnostics = true; },
     "      extension diagnostics"},
    {"-noerrors", 0, [](RunnerOptions& o, const std::string*) { o.runtime_errors = false; },
     "      clear the runtime-error flag"},
    {"-oldexec", 0, [](RunnerOptions& o, const std::string*) { o.new_executor = false; },
     "      clear the new-executor flag"},
    {"-noaudio", 0, [](RunnerOptions& o, const std::string*) { o.no_audio = true; }, "      no audio"},
    {"-inawindow", 0, [](RunnerOptions& o, const std::string*) { o.in_a_window = true; },
     "      never start full screen"},
    {"-fullscreen", 0, [](RunnerOptions& o, const std::string*) { o.full_screen = true; },
     "      start full screen"},
    {"-exit", 1, [](RunnerOptions& o, const std::string* v) { o.exit_game = v[0]; },
     "PATH  the game to return to when this one ends"},
    {"-dir", 1, [](RunnerOptions& o, const std::string* v) { o.dir = v[0]; }, "PATH  recorded"},
    {"-kxdebugpath", 1, [](RunnerOptions& o, const std::string* v) { o.debug_symbols = v[0]; },
     "PATH  the debug-symbol file"},
    {"-record", 1, [](RunnerOptions& o, const std::string* v) { o.record_path = v[0]; },
     "PATH  record input to the file"},
    {"-playback", 1, [](RunnerOptions& o, const std::string* v) { o.playback_path = v[0]; },
     "PATH  play input back from the file"},
    {"-steam", 0, [](RunnerOptions& o, const std::string*) { o.store_service = true; },
     "      store-service integration on"},
    {"-software", 0, [](RunnerOptions& o, const std::string*) { o.software = true; }, "      recorded"},
    {"-intel", 0,
     [](RunnerOptions& o, const std::string*) {
         o.intel_first = true;
         o.intel_second = true;
     },
     "      recorded"},
    {"-audiodebug", 0, [](RunnerOptions& o, const std::string*) { o.debug_level |= 0x10; },
     "      audio diagnostics in the debug output"},
    {"-networkdebug", 0, [](RunnerOptions& o, const std::string*) { o.network_debug = true; },
     "      network diagnostics"},
    {"-vanillaGFX", 0, [](RunnerOptions& o, const std::string*) { o.vanilla_graphics = true; },
     "      recorded"},
    {"-output", 1, [](RunnerOptions& o, const std::string* v) { o.output_path = v[0]; },
     "PATH  write the error output to the file"},
    {"-debugoutput", 1, [](RunnerOptions& o, const std::string* v) { o.debug_output_path = v[0]; },
     "PATH  write the debug output to the file"},
    {"-headless", 0, [](RunnerOptions& o, const std::string*) { o.headless = true; },
     "      no window; end once the first room has started, with the game's exit code"},
    {"-profiledump", 2,
     [](RunnerOptions& o, const std::string* v) {
         o.profile_dump_path = v[0];
         o.profile_dump_frames = ParseInt32Or(v[1], 0);
     },
     "PATH N  dump profiler data after N frames"},
    {"-sleepmargin", 1,
     [](RunnerOptions& o, const std::string* v) { o.sleep_margin_ms = ParseInt32Or(v[0], o.sleep_margin_ms); },
     "MS    milliseconds of each frame wait spent spinning instead of sleeping (default 10)"},
    {"-multivb", 0, [](RunnerOptions& o, const std::string*) { o.multi_vertex_buffers = true; },
     "      several vertex buffers"},
    {"-novb", 0, [](RunnerOptions& o, const std::string*) { o.no_vertex_buffers = true; },
     "      no vertex buffers"},
    {"-compresstextures", 0, [](RunnerOptions& o, const std::string*) { o.compress_textures = true; },
     "      recorded"},
    {"-manualvsync", 0, [](RunnerOptions& o, const std::string*) { o.manual_vsync = true; },
     "      manual vertical sync"},
    {"-nodirectinput", 0, [](RunnerOptions& o, const std::string*) { o.no_direct_input = true; },
     "      no legacy joystick polling"},
    {"-nosteamrestart", 0, [](RunnerOptions& o, const std::string*) { o.no_store_restart = true; },
     "      no restart through the store client"},
    {"-nowindow", 0, [](RunnerOptions& o, const std::string*) { o.no_window = true; },
     "      run the whole game with null graphics, audio and input"},
    {"-frames", 1,
     [](RunnerOptions& o, const std::string* v) {
         int64_t frames = 0;
         if (ParseInt(v[0], frames) && frames >= 0) o.frame_limit = frames;
     },
     "N     end the run after N frames"},
    {"-unpaced", 0, [](RunnerOptions& o, const std::string*) { o.unpaced = true; },
     "      run frames back to back, without waiting for their time or for the display"},
    {"-digest", 0, [](RunnerOptions& o, const std::string*) { o.digest = true; },
     "      print a hash of the game's state when the run ends"},
    {"-screenshot", 1, [](RunnerOptions& o, const std::string* v) { o.screenshot_path = v[0]; },
     "PATH  write the window's last frame to a PNG file (with -frames)"},
    {"-tracestages", 0, [](RunnerOptions& o, const std::string*) { o.trace_stages = true; },
     "      write each step stage's name to the debug output"},
    {"--help", 0, [](RunnerOptions& o, const std::string*) { o.help = true; }, "      print this help"},
    {"--version", 0, [](RunnerOptions& o, const std::string*) { o.version = true; }, "      print the version"},
};

const OptionSpec* FindOption(const std::string& token) {
    for (const OptionSpec& option : kOptions)
        if (token == option.name) return &option;
    return nullptr;
}

// "ktplayer:" or "ktplayer://" launch URLs carry an argument; a trailing slash is dropped.
bool ReadLaunchUrl(const std::string& token, std::string& argument) {
    for (std::string_view prefix : {std::string_view("ktplayer://"), std::string_view("ktplayer:")}) {
        if (token.compare(0, prefix.size(), prefix) != 0) continue;
        argument = token.substr(prefix.size());
        if (!argument.empty() && argument.back() == '/') argument.pop_back();
        return true;
    }
    return false;
}

CommandLineResult TooLong(size_t length) {
    return {false, "command-line token of " + std::to_string(length) + " bytes (the limit is " +
                       std::to_string(COMMAND_LINE_TOKEN_LIMIT - 1) + ")"};
}

} // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& tokens,
                                   const std::string& default_game, RunnerOptions& options) {
    options.game_file = default_game;
    options.parameters.clear();
    for (const std::string& token : tokens) {
        if (token.size() >= COMMAND_LINE_TOKEN_LIMIT) return TooLong(token.size());
        options.parameters.push_back(token);
    }
    for (size_t i = 1; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (const OptionSpec* option = FindOption(token)) {
            if (i + option->value_count >= tokens.size()) {
                return {false, "option " + token + " needs " + std::to_string(option->value_count) +
                                   (option->value_count == 1 ? " value" : " values")};
            }
            option->apply(options, &tokens[i + 1]);
            i += static_cast<size_t>(option->value_count);
        } else {
            ReadLaunchUrl(token, options.launch_argument);
        }
    }
    return {};
}

CommandLineResult SplitCommandLine(std::string_view line, std::vector<std::string>& tokens) {
    tokens.clear();
    std::string token;
    bool in_token = false;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            in_token = true;
        } else if (static_cast<unsigned char>(c) < 33 && !quoted) {
            if (in_token) tokens.push_back(std::move(token));
            token.clear();
            in_token = false;
        } else {
            token += c;
            in_token = true;
        }
        if (token.size() >= COMMAND_LINE_TOKEN_LIMIT) return TooLong(token.size());
    }
    if (in_token) tokens.push_back(std::move(token));
    return {};
}

std::string CommandLineHelp(const std::string& program) {
    // What a player or a packager reaches for comes first; the rest are named only.
    static constexpr const char* kFirst[] = {"-inawindow", "-fullscreen", "-noaudio", "-game", "-record",
                                             "-playback", "-nowindow", "-frames", "--version", "--help"};
    std::string help = "Usage: " + program + " [options]\n\nOptions:\n";
    for (const char* name : kFirst) {
        const OptionSpec& option = *FindOption(name);
        help += "  " + std::string(name) + std::string(18 - std::strlen(name), ' ') + option.help + "\n";
    }
    std::string line = "\nAlso accepted, for tests and diagnostics:";
    for (const OptionSpec& option : kOptions) {
        if (std::find_if(std::begin(kFirst), std::end(kFirst), [&](const char* name) {
                return std::strcmp(name, option.name) == 0;
            }) != std::end(kFirst))
            continue;
        if (line.size() + std::strlen(option.name) > 96) {
            help += line + "\n";
            line = " ";
        }
        line += std::string(" ") + option.name;
    }
    return help + line + "\n";
}

std::string VersionLine(const std::string& program) {
    return program + " " + PRODUCT_VERSION + "\n";
}
