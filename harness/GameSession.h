// The game itself in process: its package loaded through the real loader, its compiled code
// linked, frames run on null backends. Shared by the game's tests, fuzz targets, benchmarks and tools.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "CodeTable.h"
#include "Function/RandomFunctions.h"
#include "GameNames.h"
#include "Graphics/GraphicsContext.h"
#include "IO/GamepadLayer.h"
#include "IO/InputReplay.h"
#include "IO/InputState.h"
#include "Package/PackageLoader.h"
#include "Platform/null/NullBackends.h"
#include "Platform/null/NullGamepads.h"
#include "Run/RoomFlow.h"
#include "Run/WindowControl.h"
#include "Runner/BuiltinWiring.h"
#include "Runner/FrameLoop.h"
#include "Runner/GameWorld.h"
#include "SpinClock.h"
#include "Sound/AudioSystem.h"
#include "Support/DsState.h"
#include "Support/SaveFolder.h"
#include "Support/SaveWriter.h"
#include "TempFolder.h"
#include "Variable/GameVariables.h"
#include "Variable/VariableFunctions.h"

// The rows of a table file: a row a line, its fields split by tabs; blank lines and lines that
// start with # are skipped.
inline std::vector<std::vector<std::string>> TableRows(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        rows.emplace_back(1);
        for (char c : line)
            if (c == '\t') rows.back().emplace_back();
            else rows.back().back() += c;
    }
    return rows;
}

// A frame's time and the draw calls it made.
struct FrameCost {
    double micros;
    size_t draws;
};

// The first instance of an object, or null.
inline CInstance* FirstOf(int32_t object) {
    CInstance* found = nullptr;
    ForEachTargetOf(nullptr, nullptr, object, [&](CInstance* instance) { if (!found) found = instance; });
    return found;
}

// A built-in variable or a variable slot of an instance, as a number; an instance's place.
inline double Get(CInstance* instance, const VariablePair& variable) { return Real(BuiltinVar(instance, variable)); }
inline double Get(CInstance* instance, int32_t slot) { return Real(Var(instance, slot)); }
inline void Put(CInstance* instance, double x, double y) {
    SetBuiltinVar(instance, VAR_x, Value(x));
    SetBuiltinVar(instance, VAR_y, Value(y));
}

class GameSession {
public:
    GameSession() = default;
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

protected:
    void Begin() {
        Runner() = RunnerState{};
        RunnerInput() = InputState{};
        TheSaveFolder().SetFolder(save_.Path());
        DebugOutput().CaptureTo(&debug_output_);
        ErrorOutput().CaptureTo(&error_output_);
    }

    void End() {
        ReleaseGameWorld();
        Saves().Drain(); // as the runner does before it exits
        RunnerReplay().Stop();
        loop_.reset();
        SetActiveAudio(nullptr);
        audio_.reset();
        StopGamepads();
        SetActiveWindowControl(nullptr);
        SetActiveGraphics(nullptr);
        graphics_.reset();
        DestroyAllDataStructures();
        ResetVariables();
        ClearBuiltins();
        DebugOutput().CaptureTo(nullptr);
        ErrorOutput().CaptureTo(nullptr);
        Runner() = RunnerState{};
        RunnerInput() = InputState{};
    }

    // Loads the package and enters the first room (rmInit: oInit starts the game); the loader's
    // error, or "" when the game runs. A device of the caller's own (OpenGL, to read pixels
    // back) replaces the null one when given. With `with_audio_` set the game's sounds play on
    // the null output, whose voices tests can see. With `real_time_` set the frames run on the
    // system clock, paced as the game paces them, and the sounds play on the system output (a
    // silent one that still plays in real time when there is no sound card).
    std::string Load(GraphicsDevice* device = nullptr) {
        RegisterGameConstants();
        RegisterBuiltinVariables();
        LinkGame(GameLinkRecord());
        PackageStatus status = loader_.Open(SNOWTIDE_PACKAGE);
        if (status) status = loader_.ReadHeader();
        if (status && !(replay_error_ = StartReplay()).empty()) return replay_error_;
        // Seeded as the runner seeds at start, so that recordings made here replay in the game.
        RandomizeFromClock();
        if (status) status = loader_.LoadGameData();
        if (!status) return status.error.empty() ? "the package cannot be loaded" : status.error;
        const PackageHeader& header = loader_.Package().header;
        graphics_ = std::make_unique<GraphicsContext>(device ? *device : null_graphics_, int(header.window_width),
                                                      int(header.window_height));
        graphics_->LoadPackage(loader_.Package());
        SetActiveGraphics(graphics_.get());
        SetActiveWindowControl(&window_control_);
        Clock& clock = real_time_ ? SystemClock() : static_cast<Clock&>(clock_);
        if (with_audio_) {
            audio_ = StartAudio(real_time_, clock, std::filesystem::path(SNOWTIDE_PACKAGE).parent_path().string());
            audio_->PrepareSounds(loader_.Package());
            SetActiveAudio(audio_.get());
        }
        StartGamepads(pads_, GamepadTable::kAllSlots, "");
        PrepareGameObjects(loader_.Package());
        PrepareGameRooms(loader_.Package());
        Runner().running = true;
        Runner().sleep_margin_ms = 0;
        StartGame();
        loop_ = std::make_unique<FrameLoop>(clock, window_, device ? *device : null_graphics_);
        loop_->Enter();
        return "";
    }

    // Loads the game over a progress save and runs until it has entered `room`; the loader's
    // error, or "".
    std::string LoadSaved(const std::string& save, int32_t room) {
        std::ofstream(save_.Path() + "save.fluffy") << save;
        const std::string error = Load();
        for (int frame = 0; frame < 10 && error.empty() && Runner().current_room != room; ++frame) RunFrames(1);
        return error;
    }

    // Where a recording starts: the save beside it ("<name>.save" for "<name>.rec"), or an empty
    // save folder, as a new player's; then on past the start-up rooms. The loader's error, or "".
    std::string LoadAtRecordingStart(const std::string& recording) {
        save_.Empty();
        if (std::ifstream saved(recording.substr(0, recording.rfind('.')) + ".save"); saved.peek() != EOF)
            std::ofstream(save_.Path() + "save.fluffy") << saved.rdbuf();
        const std::string error = Load();
        for (int frame = 0; frame < 10 && error.empty() && Runner().current_room <= rmGo; ++frame) RunFrames(1);
        return error;
    }

    // Mireth walks into the room's boss trigger, on the floor, then stands just inside the arena's
    // wall; false when no fight started.
    bool StartFightAtTrigger() {
        CInstance* player = FirstOf(oChar);
        CInstance* trigger = FirstOf(oBossTrigger);
        CInstance* wall = FirstOf(oBossBlock);
        if (!player || !trigger || !wall) return false;
        Put(player, Get(trigger, VAR_x) + 8, 160);
        RunFrames(1);
        SetBuiltinVar(player, VAR_x, Value(Get(wall, VAR_bbox_right) + 8));
        bool active = false;
        With(nullptr, nullptr, oBoss, [&](CInstance* boss, CInstance*) { active |= bool(Value(Var(boss, SLOT_boss_active))); });
        return active;
    }

    // With `playback_` set the run replays that recording instead of the posted input; with
    // `record_` set it records what it reads there.
    std::string StartReplay() {
        const PackageHeader& header = loader_.Package().header;
        const RecordingIdentity game = MakeRecordingIdentity(header.game_name, header.game_id, header.guid);
        if (!playback_.empty()) return RunnerReplay().StartPlayback(playback_, game);
        if (!record_.empty()) return RunnerReplay().StartRecording(record_, game);
        return "";
    }

    // The null device and the clock keep only the last frame's records: a long play would
    // otherwise hold every vertex it ever drew and every wait, and a benchmark would time that
    // bookkeeping.
    void RunFrames(int count) {
        for (int i = 0; i < count && Runner().running; ++i) {
            null_graphics_.draws.clear();
            null_graphics_.clears.clear();
            clock_.sleeps.clear();
            loop_->RunTurn();
        }
    }
    // One frame, timed, with the draw calls it made on the null device (for the benchmarks).
    FrameCost TimedFrame() {
        const auto begin = std::chrono::steady_clock::now();
        RunFrames(1);
        return {std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count(),
                null_graphics_.draws.size()};
    }

    static ScopedRValue GlobalValue(const char* name) {
        ScopedRValue value;
        VariableGlobalGet(name, value);
        return value;
    }
    static double GlobalNumber(const char* name) { return ToReal(GlobalValue(name)); }

    // A built-in by name, for those the game's code does not call (and so has no FN_ for).
    template <typename... Args>
    static Value Builtin(const char* name, const Args&... args) {
        RValue* argv[] = {const_cast<RValue*>(static_cast<const RValue*>(&args))..., nullptr};
        Value result;
        CallBuiltin(nullptr, nullptr, result, int(sizeof...(Args)), FindBuiltin(name), argv);
        return result;
    }

    TempFolder save_;
    std::string debug_output_;
    std::string error_output_;
    PackageLoader loader_{RegisterBuiltinFunctions};
    SpinClock clock_;
    NullWindow window_;
    NullGraphicsDevice null_graphics_;
    NullGamepads pads_;
    WindowControl window_control_{window_};
    std::unique_ptr<GraphicsContext> graphics_;
    bool with_audio_ = false;
    bool real_time_ = false;
    std::string playback_;
    std::string record_;
    std::string replay_error_;
    std::unique_ptr<AudioSystem> audio_;
    std::unique_ptr<FrameLoop> loop_;
};
