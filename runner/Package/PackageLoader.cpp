// The two start-up passes over the package and what they hand to the rest of the runner.
#include "Package/PackageLoader.h"

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Base/Utf8Path.h"
#include "Code/Builtins.h"
#include "Code/CodeTable.h"
#include "Code/FunctionIndex.h"
#include "Code/GameConstants.h"
#include "Code/NumberText.h"
#include "Code/Scripts.h"
#include "Package/AssetNames.h"
#include "Package/PackageReader.h"
#include "Support/IniFile.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"
#include "Variable/VariableId.h"
#include "Variable/VariableNameRegistry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

using namespace package;

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(Utf8Path(path), error)) return false;
    const auto size = std::filesystem::file_size(Utf8Path(path), error);
    if (error) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         std::fclose);
    if (!file) return false;
    bytes.resize(size);
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

namespace {

int32_t ClampCount(uint32_t count) {
    return int32_t(std::min<uint32_t>(count, std::numeric_limits<int32_t>::max()));
}

// The slot or built-in index a variable table entry names in its scope, or -1.
int32_t ResolveVariable(const PackageVariable& variable) {
    if (variable.kind == kVariableKindLocal) return variable.id;
    const int32_t scope =
        variable.kind == kVariableKindGlobal ? VARIABLE_SCOPE_GLOBAL : VARIABLE_SCOPE_INSTANCE;
    const int32_t slot = VariableNames().Find(scope, variable.name);
    return slot >= 0 ? slot : FindBuiltinVariable(variable.name);
}

// The linked game's variable pairs; an empty table when no game is linked.
VariablePair* GameVariablePairs() {
    static VariablePair none[] = {{nullptr, 0}};
    return LinkedGame().variables ? LinkedGame().variables : none;
}

template <class T>
std::vector<std::string> NamesOf(const ResourceList<T>& list) {
    std::vector<std::string> names;
    names.reserve(list.size());
    for (const auto& slot : list)
        names.emplace_back(slot ? slot->name : std::string_view{});
    return names;
}

} // namespace

PackageStatus MissingPackage(const std::string& where) {
    return PackageStatus::Failure("Unable to find game!!: " + where);
}

PackageStatus PackageLoader::Open(const std::string& game_file) {
    DebugOutput().Printf("Reading File %s\n", game_file.c_str());
    std::vector<uint8_t> image;
    if (!ReadWholeFile(game_file, image)) {
        DebugOutput().Printf("FAILED to load File %s\n", game_file.c_str());
        return MissingPackage(game_file);
    }
    DebugOutput().Printf("Loaded File %s(%d)\n", game_file.c_str(),
                         ClampCount(uint32_t(image.size())));
    PackageStatus status = Open(std::move(image), game_file);
    ReadIniFile();
    return status;
}

PackageStatus PackageLoader::Open(std::vector<uint8_t> image, const std::string& name) {
    name_ = name;
    image_ = std::move(image);
    package_ = GamePackage{};
    ini_ = {};
    uint32_t tag = 0;
    if (image_.size() >= sizeof tag) std::memcpy(&tag, image_.data(), sizeof tag);
    if (tag == kTagForm || tag == ReverseTag(kTagForm)) DebugOutput().Write("IFF wad found\n");
    return PackageStatus::Success();
}

void PackageLoader::ReadIniFile() {
    std::filesystem::path folder = Utf8Path(name_).parent_path();
    const std::string path = (folder.empty() ? std::string(".") : Utf8Text(folder)) + "/options.ini";
    DebugOutput().Printf("Checking if INIFile exists at %s\n", path.c_str());
    IniFile ini;
    if (!ini.Load(path)) return;
    DebugOutput().Printf("INIFile %s Exists, loading....\n", path.c_str());
    if (auto margin = ini.GetInteger("Runner", "SleepMargin"))
        ini_.sleep_margin_ms = int32_t(*margin);
    if (auto mode = ini.GetInteger("Graphics", "VertexBufferMode"))
        ini_.vertex_buffer_mode = int32_t(*mode);
    if (auto vsync = ini.GetInteger("Graphics", "ManualVSync")) ini_.manual_vsync = *vsync != 0;
}

PackageStatus PackageLoader::ReadHeader() {
    PackageStatus status = ReadPackage(std::move(image_), package_);
    if (!status) return PackageStatus::Failure(name_ + ": " + status.error);
    status = MatchCodeTable(package_, LinkedGame());
    if (!status) return PackageStatus::Failure(name_ + ": " + status.error);

    const PackageHeader& header = package_.header;
    for (const PackageChunk& chunk : package_.chunks) {
        if (chunk.length == 0) continue;
        if (chunk.tag == kTagStrg) {
            DebugOutput().Write("ID_STRG\n");
        } else if (chunk.tag == kTagGen8 || chunk.tag == kTagGen7 || chunk.tag == kTagGenL) {
            DebugOutput().Write("Get Header Information\n");
            RunnerState& runner = Runner();
            runner.major_version = ClampCount(header.major_version);
            if (header.NewProject() && header.bytecode_version >= kGameSpeedFromVersion)
                runner.game_speed = header.game_speed;
            runner.room_order = header.room_order;
            runner.caption =
                std::string(header.display_name.empty() ? header.game_name : header.display_name);
            DebugOutput().Write("InitPSLFunctions\n");
            // A second load in one process (a restart, a test) starts from one registration.
            ClearBuiltins();
            register_builtins_();
        } else if (chunk.tag == kTagCode) {
            DebugOutput().Write("Code_Load()\n");
        } else if (chunk.tag == kTagVari && header.bytecode_version >= kCodeTablesFromVersion) {
            DebugOutput().Write("VARI_Load()\n");
            status = LoadVariables();
            if (!status) return status;
        }
    }
    return PackageStatus::Success();
}

PackageStatus PackageLoader::LoadVariables() {
    const GameLink& game = LinkedGame();
    const PackageVariableCounts& counts = package_.variable_counts;
    DebugOutput().Printf("got %d global variables\n", ClampCount(counts.global_count));
    DebugOutput().Printf("got %d instance variables\n", ClampCount(counts.instance_count));
    DebugOutput().Printf("got %d local variables\n", ClampCount(counts.max_local_count));
    LoadGameVariables(GameVariablePairs(),
                      std::max(game.global_count, ClampCount(counts.global_count)),
                      std::max(game.instance_count, ClampCount(counts.instance_count)));
    for (const PackageVariable& variable : package_.variables) {
        const int32_t number = ResolveVariable(variable);
        if (number < 0)
            return PackageStatus::Failure("Error on load\nUnable to find variable " +
                                          std::string(variable.name));
        PatchOccurrences(variable.occurrences, number);
    }
    return PackageStatus::Success();
}

PackageStatus PackageLoader::LoadGameData() {
    if (package_.chunks.empty())
        return PackageStatus::Failure(name_ + ": the package was not read");
    DebugOutput().Write("initialise everything!\n");
    Script_Clear();
    ClearAssetNames();
    const GameLink& game = LinkedGame();
    // A package without a variable table still needs the holder of global variables.
    if (!GlobalObject())
        LoadGameVariables(GameVariablePairs(), game.global_count, game.instance_count);

    for (const PackageChunk& chunk : package_.chunks) {
        if (chunk.length == 0) continue;
        const std::string tag = ChunkTagText(chunk.tag);
        DebugOutput().Printf("Process Chunk: %s   %d\n", tag.c_str(), ClampCount(chunk.length));
        if (!IsKnownChunkTag(chunk.tag)) {
            ErrorOutput().Printf("unknown Chunk %s:%d\n", tag.c_str(), int32_t(chunk.tag));
        } else if (chunk.tag == kTagOptn) {
            ApplyOptions();
        } else if (chunk.tag == kTagScpt) {
            AddScripts();
        } else if (chunk.tag == kTagTxtr) {
            BindTexturePages();
        } else if (chunk.tag == kTagFunc &&
                   package_.header.bytecode_version >= kCodeTablesFromVersion) {
            PackageStatus status = LoadFunctions();
            if (!status) return status;
        }
    }
    SetNames();
    BindInstanceCode();
    ResolveGameNames();
    return PackageStatus::Success();
}

void PackageLoader::ApplyOptions() {
    const PackageOptions& options = package_.options;
    if (options.sleep_margin_ms) Runner().sleep_margin_ms = *options.sleep_margin_ms;
    // Constants are numbers to the game's code; text that is not a number stays in the table.
    for (const PackageConstant& constant : options.constants) {
        double value = 0;
        if (constant.name.empty() || constant.value.empty()) continue;
        if (ParseRealPrefix(constant.value.data(), &value))
            RegisterConstant(std::string(constant.name).c_str(), value);
    }
}

void PackageLoader::AddScripts() {
    // An empty slot still takes its index, so later scripts keep theirs.
    for (const auto& script : package_.scripts)
        Script_Add(script ? std::string(script->name) : std::string(),
                   script ? script->code_index : -1);
}

void PackageLoader::BindTexturePages() {
    // Textures get runtime ids in table order, so an entry that names a texture already holds
    // its id. An entry that names none keeps its index, is reported, and later draws nothing.
    const size_t texture_count = package_.textures.size();
    for (const TexturePageEntry& entry : package_.texture_page_entries)
        if (entry.texture < 0 || size_t(entry.texture) >= texture_count)
            ErrorOutput().Write("what!!!!\n");
}

PackageStatus PackageLoader::LoadFunctions() {
    for (const PackageFunction& function : package_.functions) {
        const int32_t index = FindFunction(std::string(function.name).c_str());
        if (index < 0)
            return PackageStatus::Failure("Error on load\nUnable to find function " +
                                          std::string(function.name));
        PatchOccurrences(function.occurrences, index);
    }
    return PackageStatus::Success();
}

void PackageLoader::SetNames() {
    SetAssetNames(AssetKind::Sprite, NamesOf(package_.sprites));
    SetAssetNames(AssetKind::Sound, NamesOf(package_.sounds));
    SetAssetNames(AssetKind::Object, NamesOf(package_.objects));
    SetAssetNames(AssetKind::Background, NamesOf(package_.backgrounds));
    SetAssetNames(AssetKind::Font, NamesOf(package_.fonts));
    SetAssetNames(AssetKind::Script, NamesOf(package_.scripts));
    SetAssetNames(AssetKind::Room, NamesOf(package_.rooms));
}

void PackageLoader::BindInstanceCode() {
    for (auto& room : package_.rooms) {
        if (!room) continue;
        room->instance_code.clear();
        for (const RoomInstanceRecord& instance : room->instances)
            room->instance_code.push_back(
                {CodeEntryAt(instance.creation_code), CodeEntryAt(instance.pre_create_code)});
    }
}

void PackageLoader::PatchOccurrences(const std::vector<CodeLocation>& occurrences, int32_t value) {
    for (const CodeLocation& place : occurrences) {
        const PackageCodeEntry& entry = package_.code[size_t(place.code_index)];
        uint8_t* operand = package_.image.data() + (entry.bytes.data() - package_.image.data()) +
                           place.offset + kOccurrenceOperandOffset;
        uint32_t word = 0;
        std::memcpy(&word, operand, sizeof word);
        word = (word & ~kOccurrenceDistanceMask) | (uint32_t(value) & kOccurrenceDistanceMask);
        std::memcpy(operand, &word, sizeof word);
    }
}

PackageStatus MatchCodeTable(const GamePackage& package, const GameLink& game) {
    if (game.package_stamp != 0 && package.header.timestamp != game.package_stamp) {
        char stamps[64];
        std::snprintf(stamps, sizeof stamps, "%016llx, the game's %016llx",
                      static_cast<unsigned long long>(package.header.timestamp),
                      static_cast<unsigned long long>(game.package_stamp));
        return PackageStatus::Failure("the package was built for another build of the game: its stamp is " +
                                      std::string(stamps) + "; build them together");
    }
    const size_t game_count = game.code ? size_t(std::max(game.code_count, 0)) : 0;
    if (package.code.size() != game_count)
        return PackageStatus::Failure("the package does not match the game's code: it has " +
                                      std::to_string(package.code.size()) +
                                      " code entries, the game " + std::to_string(game_count));
    for (size_t i = 0; i < game_count; ++i) {
        const char* game_name = game.code[i].name ? game.code[i].name : "";
        if (package.code[i].name != game_name)
            return PackageStatus::Failure(
                "the package does not match the game's code: code entry " + std::to_string(i) +
                " is \"" + std::string(package.code[i].name) + "\" in the package but \"" +
                game_name + "\" in the game");
    }
    return PackageStatus::Success();
}
