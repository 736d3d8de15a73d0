// A small game made inside a test: objects with compiled handlers, rooms with instances and
// creation code, written as a package, loaded through the real loader and run frame by frame
// on null backends. Handlers are plain functions; the tests give them behaviour through state
// of their own.
#pragma once

#include <algorithm>
#include <climits>
#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Base/RunnerState.h"
#include "Code/Builtins.h"
#include "Code/CodeTable.h"
#include "Code/ValueTestSupport.h"
#include "Code/EventNames.h"
#include "Code/GameConstants.h"
#include "Code/ValueArray.h"
#include "Code/ValueConvert.h"
#include "Package/GameLink.h"
#include "Package/PackageLoader.h"
#include "PackageWriter.h"
#include "Platform/null/NullBackends.h"
#include "Run/RoomFlow.h"
#include "Runner/BuiltinWiring.h"
#include "Runner/FrameLoop.h"
#include "Runner/GameWorld.h"
#include "SpinClock.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"
#include "Variable/VariableAccess.h"

class WorldFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Runner() = RunnerState{};
        RegisterGameConstants();
        RegisterBuiltinVariables();
        package_.header.game_name = Text("WorldTest");
        package_.header.last_instance_id = 100000;
        package_.header.game_speed = 60;
    }

    void TearDown() override {
        ReleaseGameWorld();
        ResetVariables();
        ClearBuiltins();
        Runner() = RunnerState{};
    }

    std::string_view Text(std::string text) { return texts_.emplace_back(std::move(text)); }

    int32_t AddObject(const std::string& name, int32_t parent = -1, bool persistent = false,
                      int32_t depth = 0, int32_t sprite = -1) {
        PackageObject object;
        object.name = Text(name);
        object.parent_index = parent;
        object.persistent = persistent;
        object.depth = depth;
        object.sprite_index = sprite;
        package_.objects.emplace_back(object);
        return int32_t(package_.objects.size() - 1);
    }

    // Binds a compiled handler, named as the game's are, to the object's event.
    void AddEvent(int32_t object, int32_t type, int32_t subtype, EventFunction handler) {
        PackageObject& record = *package_.objects[size_t(object)];
        std::string name = "psl_Object_" + std::string(record.name) + "_" + EventTypeName(type) + "_" +
                           std::to_string(subtype);
        record.events[{type, subtype}] = AddCode(name, handler);
    }

    int32_t AddRoom(const std::string& name, bool persistent = false, EventFunction creation = nullptr) {
        PackageRoom room;
        room.name = Text(name);
        room.persistent = persistent;
        room.speed = 60;
        if (creation) room.creation_code = AddCode("psl_Room_" + name + "_Create", creation);
        package_.rooms.emplace_back(room);
        package_.header.room_order.push_back(int32_t(package_.rooms.size() - 1));
        return int32_t(package_.rooms.size() - 1);
    }

    // Returns the instance's id.
    int32_t AddInstance(int32_t room, int32_t object, int32_t x = 0, int32_t y = 0,
                        EventFunction creation = nullptr) {
        PackageRoom& record = *package_.rooms[size_t(room)];
        package::RoomInstanceRecord instance{};
        instance.x = x;
        instance.y = y;
        instance.object = object;
        instance.id = ++package_.header.last_instance_id;
        instance.creation_code = -1;
        instance.pre_create_code = -1;
        instance.scale_x = instance.scale_y = instance.image_speed = 1;
        instance.colour = 0xFFFFFFFF;
        if (creation)
            instance.creation_code = AddCode("psl_RoomCC_" + std::string(record.name) + "_" +
                                                 std::to_string(record.instances.size()) + "_Create",
                                             creation);
        record.instances.push_back(instance);
        return int32_t(instance.id);
    }

    // A one-frame sprite drawn as rows of '#' (solid) and '.' (clear); its box bounds the solid
    // pixels. With `precise` collisions test its pixels, otherwise its box.
    int32_t AddSprite(const std::string& name, const std::vector<std::string>& rows, int32_t origin_x = 0,
                      int32_t origin_y = 0, bool precise = true) {
        PackageSprite sprite;
        sprite.name = Text(name);
        sprite.width = uint32_t(rows[0].size());
        sprite.height = uint32_t(rows.size());
        sprite.origin_x = origin_x;
        sprite.origin_y = origin_y;
        sprite.mask_kind = precise ? package::kMaskPrecise : 0;
        sprite.frames = {-1};
        sprite.bbox_left = sprite.bbox_top = INT32_MAX;
        sprite.bbox_right = sprite.bbox_bottom = INT32_MIN;
        std::vector<uint8_t> mask(package::MaskBytes(sprite.width, sprite.height));
        for (int32_t y = 0; y < int32_t(rows.size()); ++y)
            for (int32_t x = 0; x < int32_t(rows[0].size()); ++x) {
                if (rows[size_t(y)][size_t(x)] != '#') continue;
                mask[size_t(y) * package::MaskRowBytes(sprite.width) + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
                sprite.bbox_left = std::min(sprite.bbox_left, x);
                sprite.bbox_right = std::max(sprite.bbox_right, x);
                sprite.bbox_top = std::min(sprite.bbox_top, y);
                sprite.bbox_bottom = std::max(sprite.bbox_bottom, y);
            }
        sprite.masks = {mask};
        package_.sprites.emplace_back(sprite);
        return int32_t(package_.sprites.size() - 1);
    }

    // Writes and loads the package, prepares the world and enters the first room.
    void Start() {
        GameLink link;
        link.code = code_table_.data();
        link.code_count = int32_t(code_table_.size());
        LinkGame(link);
        PackageStatus status = loader_.Open(WritePackage(package_), "world.win");
        if (status) status = loader_.ReadHeader();
        if (status) status = loader_.LoadGameData();
        ASSERT_TRUE(status) << status.error;
        PrepareGameObjects(loader_.Package());
        PrepareGameRooms(loader_.Package());
        Runner().running = true;
        Runner().sleep_margin_ms = 0;
        StartGame();
        loop_.Enter();
    }

public:
    void RunFrames(int count) {
        for (int i = 0; i < count && Runner().running; ++i) loop_.RunFrame();
    }

protected:
    GamePackage package_;
    PackageLoader loader_{RegisterBuiltinFunctions};
    SpinClock clock_;
    NullWindow window_;
    NullGraphicsDevice graphics_;
    FrameLoop loop_{clock_, window_, graphics_};

private:
    int32_t AddCode(const std::string& name, EventFunction handler) {
        std::string_view stored = Text(name);
        package_.code.push_back({stored, {}, 0, 0});
        code_table_.push_back({stored.data(), nullptr, handler});
        return int32_t(package_.code.size() - 1);
    }

    std::deque<std::string> texts_;
    std::vector<CodeEntry> code_table_;
};

inline ScopedRValue TestArgument(double number) { return Num(number); }
inline ScopedRValue TestArgument(const char* text) { return Str(text); }

// A built-in called by name from a test's handler, as compiled code calls it by index, with
// numbers and texts for arguments.
template <typename... Args>
double CallNamed(CInstance* self, const char* name, const Args&... args) {
    ScopedRValue values[] = {TestArgument(args)..., ScopedRValue()};
    RValue* argv[sizeof...(Args) + 1];
    for (size_t i = 0; i <= sizeof...(Args); ++i) argv[i] = &values[i];
    ScopedRValue result;
    CallBuiltin(self, self, result, int(sizeof...(Args)), FindBuiltin(name), argv);
    return result.Kind() == VALUE_REAL ? result.val : 0;
}

// A built-in variable of `self` (the global object for the global ones), by name.
inline double GetBuiltin(KxObjectBase* self, const char* name, int32_t index = ARRAY_INDEX_NONE) {
    ScopedRValue value;
    EXPECT_TRUE(GetVariableDirect(self, FindBuiltinVariable(name), index, value)) << name;
    return ToReal(value);
}
inline void SetBuiltin(KxObjectBase* self, const char* name, double number,
                       int32_t index = ARRAY_INDEX_NONE) {
    EXPECT_TRUE(SetVariableDirect(self, FindBuiltinVariable(name), index, RealValue(number)))
        << name;
}
