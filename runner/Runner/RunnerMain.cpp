// Start-up, the main loop and shut-down of one run, in the order the runner has always had.
#include "Runner/RunnerMain.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Base/Utf8Path.h"
#include "Code/GameConstants.h"
#include "Code/Memory.h"
#include "Code/RuntimeError.h"
#include "Function/RandomFunctions.h"
#include "Graphics/GraphicsContext.h"
#include "Graphics/Splash.h"
#include "IO/GamepadLayer.h"
#include "IO/InputReplay.h"
#include "IO/StateDigest.h"
#include "Package/PackageLoader.h"
#include "Platform/ConsoleOutput.h"
#include "Platform/PlatformServices.h"
#include "Platform/ProcessInfo.h"
#include "Platform/RunnerClock.h"
#include "Run/RoomFlow.h"
#include "Run/WindowControl.h"
#include "Runner/BuiltinWiring.h"
#include "Runner/CommandLine.h"
#include "Runner/CrashHandler.h"
#include "Runner/FlattenedNames.h"
#include "Runner/FrameLoop.h"
#include "Runner/GameWorld.h"
#include "Runner/PackageSearch.h"
#include "Runner/Relaunch.h"
#include "Sound/AudioSystem.h"
#include "Support/SaveFolder.h"
#include "Support/SaveWriter.h"
#include "Variable/GameVariables.h"

namespace fs = std::filesystem;

namespace {

constexpr int kExitFailure = 1;

// One preparation step of the loaded game: its name, the message shown when it fails, and
// the work, where there is any: the loader has already bound scripts and constants, and the
// object, room and sound subsystems add theirs here.
struct PrepareStep {
    const char* name;
    const char* failure;
    bool (*run)(const GamePackage& package);
};

bool ObjectPrepare(const GamePackage& package) {
    PrepareGameObjects(package);
    return true;
}

bool RoomPrepare(const GamePackage& package) {
    PrepareGameRooms(package);
    return true;
}

bool SoundPrepare(const GamePackage& package) {
    if (AudioSystem* audio = ActiveAudio()) audio->PrepareSounds(package);
    return true;
}

constexpr PrepareStep kPrepareSteps[] = {
    {"Extension_Prepare() ", "Failed to prepare extension packages.", nullptr},
    {"Code_Constant_Prepare() ", "Failed to define the constants.", nullptr},
    {"Script_Prepare() ", "Failed to compile the scripts.", nullptr},
    {"TimeLine_Prepare() ", "Failed to compile the actions in the time lines.", nullptr},
    {"Object_Prepare() ", "Failed to compile the actions in the objects.", ObjectPrepare},
    {"Room_Prepare() ", nullptr, RoomPrepare},
    {"Sound_Prepare() ", "Failed to prepare the sounds.", SoundPrepare},
};

class RunnerSession {
public:
    explicit RunnerSession(const GameLink& game) : game_(game) {}

    int Run(const std::vector<std::string>& tokens);
    const std::string& RelaunchLine() const { return relaunch_line_; }

private:
    std::optional<int> ReadCommandLine(const std::vector<std::string>& tokens);
    std::optional<int> StartUp();
    std::optional<int> DoTheWork();
    std::optional<int> StartReplay();
    void ApplySleepMargin();
    bool PrepareGame();
    void MainLoop();
    void WriteScreenshot();
    void ShutDown();
    int Refuse(const std::string& line);

    const GameLink& game_;
    RunnerOptions options_;
    PlatformServices platform_;
    PackageLoader loader_{RegisterBuiltinFunctions};
    std::unique_ptr<FrameLoop> loop_;
    std::unique_ptr<GraphicsContext> graphics_;
    std::unique_ptr<WindowControl> window_control_;
    std::unique_ptr<AudioSystem> audio_; // none with -noaudio
    RunDigest run_digest_; // folded only with -digest
    std::string relaunch_line_;
    const std::vector<std::string> package_places_ = PackagePlaces(ExecutablePath());
};

int RunnerSession::Refuse(const std::string& line) {
    ErrorOutput().Printf("%s\n", line.c_str());
    if (!options_.headless && !options_.no_window && platform_.dialog)
        platform_.dialog->ShowMessage(Runner().caption.empty() ? "Runner" : Runner().caption, line);
    return kExitFailure;
}

std::optional<int> RunnerSession::ReadCommandLine(const std::vector<std::string>& tokens) {
    CommandLineResult parsed = ParseCommandLine(tokens, FindPackage(package_places_), options_);
    if (!parsed.ok) {
        ErrorOutput().Printf("runner: %s\n", parsed.error.c_str());
        return kExitFailure;
    }
    if (options_.help || options_.version) {
        const std::string program = tokens.empty() ? "runner" : Utf8Text(Utf8Path(tokens[0]).filename());
        std::fputs((options_.help ? CommandLineHelp(program) : VersionLine(program)).c_str(), stdout);
        return 0;
    }
    if (!options_.output_path.empty() && !ErrorOutput().RedirectToFile(options_.output_path))
        ErrorOutput().Printf("cannot write the error output to %s\n", options_.output_path.c_str());
    if (!options_.debug_output_path.empty() && !DebugOutput().RedirectToFile(options_.debug_output_path))
        ErrorOutput().Printf("cannot write the debug output to %s\n", options_.debug_output_path.c_str());

    RunnerState& runner = Runner();
    runner.parameters = options_.parameters;
    runner.trace_stages = options_.trace_stages;
    if (options_.sleep_margin_ms >= 0) runner.sleep_margin_ms = options_.sleep_margin_ms;
    if (!options_.game_file.empty()) {
        std::error_code error;
        fs::path absolute = fs::absolute(Utf8Path(options_.game_file), error);
        if (!error) options_.game_file = Utf8Text(absolute.lexically_normal());
        UnpackFlattenedNames(Utf8Text(Utf8Path(options_.game_file).parent_path()));
    }
    return std::nullopt;
}

std::optional<int> RunnerSession::StartUp() {
    bool real_window = !options_.headless && !options_.no_window;
    platform_ = real_window ? CreateDesktopPlatform() : CreateNullPlatform();
    SetActiveMessageDialog(platform_.dialog.get());
    Timing_Start(*platform_.clock);
    RegisterGameConstants();
    RegisterBuiltinVariables();
    LinkGame(game_);

    DebugOutput().Write("Create Error Form\n");
    DebugOutput().Write("************************************************\n"
                        "**  Runner v1.0(999)[r32908]\n"
                        "************************************************\n");
    MemoryManagerMutex();
    if (options_.game_file.empty()) return Refuse(MissingPackage(JoinPlaces(package_places_)).error);
    if (PackageStatus status = loader_.Open(options_.game_file); !status) return Refuse(status.error);

    DebugOutput().Write("Get Resolution\n");
    if (PackageStatus status = loader_.ReadHeader(); !status) return Refuse(status.error);
    ApplySleepMargin();
    if (std::optional<int> refused = StartReplay()) return refused;
    // Saves live in the player's data folder, named after the game.
    TheSaveFolder().SetGameName(loader_.Package().header.game_name);

    DebugOutput().Write("Create Window\n");
    const PackageHeader& header = loader_.Package().header;
    std::string error;
    if (real_window && !OpenDesktopWindow(platform_, static_cast<int>(header.window_width),
                                          static_cast<int>(header.window_height), Runner().caption, error))
        return Refuse("Cannot start the graphics: " + error);
    if (real_window) platform_.window->SetIcon(game_.icon.width, game_.icon.height, game_.icon.rgba);
    DebugOutput().Write("Init Graphics\n");
    loop_ = std::make_unique<FrameLoop>(*platform_.clock, *platform_.window, *platform_.graphics);
    graphics_ = std::make_unique<GraphicsContext>(*platform_.graphics, int(header.window_width),
                                                  int(header.window_height));
    SetActiveGraphics(graphics_.get());
    window_control_ = std::make_unique<WindowControl>(*platform_.window);
    SetActiveWindowControl(window_control_.get());
    if (!options_.no_audio) {
        audio_ = StartAudio(real_window, *platform_.clock, Utf8Text(Utf8Path(options_.game_file).parent_path()));
        SetActiveAudio(audio_.get());
    }

    DebugOutput().Write("IO Init\n");
    if (!platform_.gamepads_failure.empty())
        DebugOutput().Printf("!!!!! SDL game controller support (%s) not found. Gamepad support disabled\n",
                             platform_.gamepads_failure.c_str());
    // Without the legacy joysticks only the four standard slots exist.
    const int32_t gamepad_slots =
        options_.no_direct_input ? GamepadTable::kStandardSlots : GamepadTable::kAllSlots;
    StartGamepads(*platform_.gamepads, gamepad_slots,
                  Utf8Text(Utf8Path(options_.game_file).parent_path()));
    DebugOutput().Write("Process Messages\n");
    loop_->PumpMessages();
    DebugOutput().Write("Splash!\n");
    if (real_window)
        ShowSplash(*graphics_, Utf8Text(Utf8Path(options_.game_file).parent_path()), *platform_.clock,
                   [this] { loop_->PumpMessages(); });
    DebugOutput().Write("Start Frame\n");
    platform_.graphics->BeginFrame();
    for (const char* stage : {"Part Create Textures", "Debug Init Remote Interface", "VM Init",
                              "Create Score Form", "Create Load Form"})
        DebugOutput().Printf("%s\n", stage);
    return DoTheWork();
}

std::optional<int> RunnerSession::DoTheWork() {
    DebugOutput().Write("Do The Work\n");
    RandomizeFromClock();
    DebugOutput().Write("LoadGameData()\n");
    if (PackageStatus status = loader_.LoadGameData(); !status) {
        ErrorOutput().Write("Failed to load the game\n");
        return Refuse(status.error);
    }
    graphics_->LoadPackage(loader_.Package());
    if (options_.full_screen ||
        StartsFullScreen(loader_.Package().header.info_flags, loader_.Package().options, options_.in_a_window))
        window_control_->SetFullScreen(true);
    RunnerState& runner = Runner();
    ApplySleepMargin();
    // For measuring how fast the game can go.
    if (options_.unpaced) {
        runner.sleep_enabled = false;
        platform_.graphics->SetSwapInterval(0);
    }
    if (!PrepareGame()) return 0;

    DebugOutput().Write("Run_Start\n");
    runner.running = true;
    runner.end_after_first_creation_code = options_.headless;
    StartGame();
    // Headless runs end once the first room has started.
    if (options_.headless) return runner.exit_code;
    return std::nullopt;
}

// -record and -playback, once the package has said which game this is and before anything
// seeds the random generator. A replay runs unpaced.
std::optional<int> RunnerSession::StartReplay() {
    const PackageHeader& header = loader_.Package().header;
    const RecordingIdentity game =
        MakeRecordingIdentity(header.game_name, header.game_id, header.guid);
    InputReplay& replay = RunnerReplay();
    if (!options_.playback_path.empty()) {
        if (std::string error = replay.StartPlayback(options_.playback_path, game); !error.empty())
            return Refuse(error);
        Runner().sleep_enabled = false;
    }
    if (!options_.record_path.empty())
        if (std::string error = replay.StartRecording(options_.record_path, game); !error.empty())
            return Refuse(error);
    return std::nullopt;
}

// The package's own margin is taken at load; "options.ini" beside it overrides that, and the
// command line overrides both.
void RunnerSession::ApplySleepMargin() {
    RunnerState& runner = Runner();
    if (loader_.IniSettings().sleep_margin_ms) runner.sleep_margin_ms = *loader_.IniSettings().sleep_margin_ms;
    if (options_.sleep_margin_ms >= 0) runner.sleep_margin_ms = options_.sleep_margin_ms;
}

bool RunnerSession::PrepareGame() {
    DebugOutput().Write("PrepareGame()\n");
    for (const PrepareStep& step : kPrepareSteps) {
        DebugOutput().Printf("%s\n", step.name);
        if (!step.run || step.run(loader_.Package())) continue;
        if (step.failure) ShowError(step.failure, false);
        return false;
    }
    DebugOutput().Write("Finished PrepareGame() \n");
    return true;
}

void RunnerSession::MainLoop() {
    RunnerState& runner = Runner();
    loop_->Enter();
    DebugOutput().Printf("Current Memory Stats\n  peak resident: %lld KiB\n",
                         static_cast<long long>(PeakResidentKiB()));
    while (runner.running) {
        if (options_.frame_limit >= 0 && loop_->FramesRun() >= options_.frame_limit) break;
        // A replay ends with the recording's last step.
        if (RunnerReplay().Finished()) break;
        if (!options_.screenshot_path.empty() && loop_->FramesRun() + 1 == options_.frame_limit)
            loop_->CaptureNextFrame();
        loop_->RunTurn();
        if (options_.digest) run_digest_.FoldFrame();
    }
    if (!options_.screenshot_path.empty()) WriteScreenshot();
}

// -screenshot: the last frame as the window showed it; null graphics have no picture to give.
void RunnerSession::WriteScreenshot() {
    const RgbaImage& picture = loop_->CapturedFrame();
    std::string error = "no picture was shown (a screenshot needs -frames and a window)";
    if (picture.pixels.empty() || !WritePng(options_.screenshot_path, picture, error))
        ErrorOutput().Printf("-screenshot: %s\n", error.c_str());
}

void RunnerSession::ShutDown() {
    ReleaseGameWorld();
    // The game's last saves (its end events' among them) are on disk before it exits or relaunches.
    Saves().Drain();
    // After the game's end events, which may still seed the random generator.
    RunnerReplay().Stop();
    loop_.reset();
    SetActiveAudio(nullptr);
    audio_.reset();
    SetActiveMessageDialog(nullptr);
    // The drawing layer's textures go before the device, the device before the window that
    // holds its context.
    graphics_.reset();
    SetActiveWindowControl(nullptr);
    window_control_.reset();
    platform_.graphics.reset();
    platform_.window.reset();
    platform_.dialog.reset();
    platform_.clipboard.reset();
    StopGamepads();
    platform_.gamepads.reset();
    ResetVariables();
    if (!options_.exit_game.empty()) relaunch_line_ = RelaunchCommandLine(options_.exit_game, "");
}

int RunnerSession::Run(const std::vector<std::string>& tokens) {
    if (std::optional<int> done = ReadCommandLine(tokens)) return *done;
    InstallCrashHandler(options_.headless);
    std::optional<int> ended = StartUp();
    if (!ended) MainLoop();
    if (!ended && options_.digest) std::printf("%s\n", GameStateDigestLine(run_digest_).c_str());
    ShutDown();
    return ended ? *ended : Runner().exit_code;
}

} // namespace

int RunnerMain(int argc, char** argv, const GameLink& game) {
    ConnectConsoleOutput();
    std::vector<std::string> tokens(argv, argv + argc);
    RunnerSession session(game);
    int exit_code = session.Run(tokens);
    if (session.RelaunchLine().empty()) return exit_code;
    std::string failure = ExecuteRunner(ExecutablePath(), session.RelaunchLine());
    ErrorOutput().Printf("%s\n", failure.c_str());
    return kExitFailure;
}
