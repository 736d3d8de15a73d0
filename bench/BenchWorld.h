// A game built in memory for the benchmarks: box sprites, objects with compiled handlers and
// one room, written as a package, loaded through the real loader and started, with the
// runner's output captured so it does not mix with the table. Benchmarks make one per run and
// let it free everything before returning: the runner's pools must outlive the instances.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Code/Builtins.h"
#include "Code/EventNames.h"
#include "Package/PackageLoader.h"
#include "PackageWriter.h"
#include "Room/RunningRooms.h"
#include "Run/RoomFlow.h"
#include "Runner/BuiltinWiring.h"
#include "Runner/GameApi.h"
#include "Runner/GameWorld.h"

class BenchWorld {
public:
    explicit BenchWorld(const std::string& game_name) {
        DebugOutput().CaptureTo(&output_);
        ErrorOutput().CaptureTo(&output_);
        Runner() = RunnerState{};
        RegisterGameConstants();
        RegisterBuiltinVariables();
        package_.header.game_name = Text(game_name);
        package_.header.last_instance_id = 100000;
        package_.header.game_speed = 60;
    }

    ~BenchWorld() {
        ReleaseGameWorld();
        ResetVariables();
        ClearBuiltins();
        Runner() = RunnerState{};
        DebugOutput().Reset();
        ErrorOutput().Reset();
    }

    BenchWorld(const BenchWorld&) = delete;
    BenchWorld& operator=(const BenchWorld&) = delete;

    // Options and header fields are set here before Start.
    GamePackage& Package() { return package_; }

    // A one-frame sprite whose mask is solid everywhere, tested by its box.
    int32_t AddBoxSprite(const std::string& name, uint32_t width, uint32_t height) {
        PackageSprite sprite;
        sprite.name = Text(name);
        sprite.width = width;
        sprite.height = height;
        sprite.bbox_left = sprite.bbox_top = 0;
        sprite.bbox_right = int32_t(width) - 1;
        sprite.bbox_bottom = int32_t(height) - 1;
        sprite.frames = {-1};
        sprite.masks = {std::vector<uint8_t>(package::MaskBytes(width, height), 0xFF)};
        package_.sprites.emplace_back(sprite);
        return int32_t(package_.sprites.size() - 1);
    }

    int32_t AddObject(const std::string& name, int32_t sprite = -1) {
        PackageObject object;
        object.name = Text(name);
        object.parent_index = -1;
        object.sprite_index = sprite;
        package_.objects.emplace_back(object);
        return int32_t(package_.objects.size() - 1);
    }

    // Binds a handler, named as the game's compiled functions are, to the object's event.
    void AddEvent(int32_t object, int32_t type, int32_t subtype, EventFunction handler) {
        PackageObject& record = *package_.objects[size_t(object)];
        const std::string name = "psl_Object_" + std::string(record.name) + "_" +
                                 EventTypeName(type) + "_" + std::to_string(subtype);
        std::string_view stored = Text(name);
        package_.code.push_back({stored, {}, 0, 0});
        code_table_.push_back({stored.data(), nullptr, handler});
        record.events[{type, subtype}] = int32_t(package_.code.size() - 1);
    }

    void AddRoom(const std::string& name, uint32_t width, uint32_t height) {
        PackageRoom room;
        room.name = Text(name);
        room.width = width;
        room.height = height;
        room.speed = 60;
        package_.rooms.emplace_back(room);
        package_.header.room_order.push_back(int32_t(package_.rooms.size() - 1));
    }

    // Writes, loads and starts the game; false, with Error() saying why, when it did not run.
    // `variables`, when given, names the built-in variables the handlers use (null-terminated).
    bool Start(int32_t instance_variables, VariablePair* variables = nullptr) {
        GameLink link;
        link.instance_count = instance_variables;
        link.variables = variables;
        link.code = code_table_.data();
        link.code_count = int32_t(code_table_.size());
        LinkGame(link);
        PackageStatus status =
            loader_.Open(WritePackage(package_), std::string(package_.header.game_name) + ".win");
        if (status) status = loader_.ReadHeader();
        if (status) status = loader_.LoadGameData();
        if (!status) {
            error_ = status.error;
            return false;
        }
        PrepareGameObjects(loader_.Package());
        PrepareGameRooms(loader_.Package());
        Runner().running = true;
        StartGame();
        if (!CurrentRoom() || Runner().pending_room != PENDING_NONE)
            error_ = "the room did not start";
        return error_.empty();
    }

    const std::string& Error() const { return error_; }
    // The package as loaded, once started.
    const GamePackage& Loaded() const { return loader_.Package(); }
    // What the runner said while the room was filled is of no interest.
    void ClearOutput() { output_.clear(); }

protected:
    // Keeps the first reason the world cannot be measured.
    void Fail(std::string why) {
        if (error_.empty()) error_ = std::move(why);
    }

private:
    std::string_view Text(std::string text) { return texts_.emplace_back(std::move(text)); }

    std::string output_;
    std::string error_;
    std::deque<std::string> texts_;
    std::vector<CodeEntry> code_table_;
    GamePackage package_;
    PackageLoader loader_{RegisterBuiltinFunctions}; // the rooms keep pointing into its package
};
