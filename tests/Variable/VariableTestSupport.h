// A small world for variable tests: test built-in variables (an instance `alarm` array that
// maps indices outside 0-11 to 0, a read-only instance `id`, a global `room`), a loaded game
// table with three game variables, and an in-test instance directory.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "Code/ValueArray.h"
#include "Code/ValueConvert.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/CInstance.h"
#include "Variable/GameVariables.h"
#include "Variable/InstanceDirectory.h"
#include "Variable/VariableId.h"

struct TestInstance : CInstance {
    using CInstance::CInstance;
    double alarm[12] = {};
};

class TestInstances final : public InstanceDirectory {
public:
    // An instance in the active list and its object's list.
    TestInstance& Add(int32_t id, int32_t object) {
        owned_.push_back(std::make_unique<TestInstance>(id, object));
        active.push_back(owned_.back().get());
        of_object[object].push_back(owned_.back().get());
        return *owned_.back();
    }

    CInstance* FindInstance(int32_t id) const override {
        for (const auto& instance : owned_)
            if (instance->id == id) return instance.get();
        return nullptr;
    }
    InstanceList ActiveInstances() const override { return active; }
    InstanceList InstancesOfObject(int32_t object_index) const override {
        auto found = of_object.find(object_index);
        return found == of_object.end() ? InstanceList{} : InstanceList{found->second};
    }
    const char* ObjectName(int32_t) const override { return "oSlime"; }

    std::vector<CInstance*> active;
    std::map<int32_t, std::vector<CInstance*>> of_object;

private:
    std::vector<std::unique_ptr<TestInstance>> owned_;
};

namespace test_builtins {

inline double g_room = 0;

inline double& Alarm(CInstance* self, int32_t index) {
    return static_cast<TestInstance*>(self)->alarm[index >= 0 && index < 12 ? index : 0];
}
inline bool GetAlarm(CInstance* self, int32_t index, RValue* result) {
    SetReal(*result, Alarm(self, index));
    return true;
}
inline bool SetAlarm(CInstance* self, int32_t index, const RValue* value) {
    Alarm(self, index) = ToReal(*value);
    return true;
}
inline bool GetId(CInstance* self, int32_t, RValue* result) {
    SetReal(*result, self->id);
    return true;
}
inline bool GetRoom(CInstance*, int32_t, RValue* result) {
    SetReal(*result, g_room);
    return true;
}
inline bool SetRoom(CInstance*, int32_t, const RValue* value) {
    g_room = ToReal(*value);
    return true;
}

} // namespace test_builtins

class VariableTest : public ::testing::Test {
protected:
    static constexpr int32_t SLIME = 3; // an object index

    void SetUp() override {
        using namespace test_builtins;
        ResetVariables();
        g_room = 0;
        RegisterBuiltinVariable("alarm", GetAlarm, SetAlarm);
        RegisterBuiltinVariable("id", GetId, nullptr);
        BuiltinVariables().EndInstanceVariables();
        RegisterBuiltinVariable("room", GetRoom, SetRoom);
        LoadGameVariables(table_, 3, 3);
        SetInstanceDirectory(&instances_);
    }
    void TearDown() override {
        SetInstanceDirectory(nullptr);
        ResetVariables();
    }

    static int32_t Builtin(const char* name) { return FindBuiltinVariable(name); }

    VariablePair table_[5] = {{"checkpoint", 0}, {"dead", 1}, {"hp", 2}, {"alarm", -1}, {}};
    TestInstances instances_;
};
