// The runner's loading of its game package, in the two passes of start-up:
//
//   PackageLoader loader;
//   if (!(status = loader.Open(game_file))) ...      // "Reading File", the options file
//   if (!(status = loader.ReadHeader())) ...         // "Get Resolution": first pass
//   ... create the window at Package().header.window_width x window_height ...
//   if (!(status = loader.LoadGameData())) ...       // "LoadGameData": second pass
//
// A failed step returns one line for the caller to show before it exits with code 1 (the
// fatal name messages of the variable and function tables are the two lines they have always
// been). A package that fails its checks is refused before the runner's state is touched.
//
// ReadHeader reads and checks the whole package (ReadPackage), then walks the chunks as the
// first pass does: it registers the built-in functions at the header (through the caller's
// wiring), refuses a package whose code entries differ from the linked game's code table
// (count or any name), and at the variable table loads the game's variables, resolves the table's names and patches their
// occurrences. LoadGameData walks the chunks again: scripts, asset names, function names
// (patched the same way), texture page entries bound to textures, room instances bound to
// their code, the options' sleep margin and numeric constants; then every name of the game is
// resolved (ResolveGameNames). Header fields the frame loop paces by go to Runner().
#pragma once

#include "Package/GameLink.h"
#include "Package/GamePackage.h"
#include "Package/PackageStatus.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The refusal of a package that is not where it was looked for (one place, or several joined).
PackageStatus MissingPackage(const std::string& where);

// What the runner takes from "options.ini" beside the package. Keys:
//   [Runner]   SleepMargin=<ms>          the part of each frame's wait that is spun
//   [Graphics] VertexBufferMode=<0|1|2>  one buffer, several, none ("-multivb"/"-novb" win)
//   [Graphics] ManualVSync=<0|1>         ("-manualvsync" wins)
struct RunnerIniSettings {
    std::optional<int32_t> sleep_margin_ms;
    std::optional<int32_t> vertex_buffer_mode;
    std::optional<bool> manual_vsync;
};

class PackageLoader {
public:
    // `register_builtins` registers the built-in functions; it runs at the header, so that the
    // variable and function tables that follow resolve against them.
    explicit PackageLoader(void (*register_builtins)()) : register_builtins_(register_builtins) {}

    // Reads the whole file into memory, then "options.ini" from the same folder when present.
    // A file that cannot be read gives "Unable to find game!!: <path>".
    PackageStatus Open(const std::string& game_file);
    // The same for an image already in memory; `name` stands for its path in messages.
    PackageStatus Open(std::vector<uint8_t> image, const std::string& name);

    PackageStatus ReadHeader();
    PackageStatus LoadGameData();

    const GamePackage& Package() const { return package_; }
    const RunnerIniSettings& IniSettings() const { return ini_; }

private:
    void ReadIniFile();
    PackageStatus LoadVariables();
    PackageStatus LoadFunctions();
    void ApplyOptions();
    void BindTexturePages();
    void AddScripts();
    void SetNames();
    void BindInstanceCode();
    // Replaces the low bits of each occurrence's operand with `value`.
    void PatchOccurrences(const std::vector<CodeLocation>& occurrences, int32_t value);

    void (*register_builtins_)();
    std::string name_;
    std::vector<uint8_t> image_; // until ReadHeader hands it to the package
    GamePackage package_;
    RunnerIniSettings ini_;
};

// A whole file in one read into one block (the package, an audio group file); false when it
// cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// The step that keeps a stale package from running the wrong handlers: the package's code
// entries must be exactly the game's code table, in count and in every name, and a game built
// with its package must find that package's stamp.
PackageStatus MatchCodeTable(const GamePackage& package, const GameLink& game);
