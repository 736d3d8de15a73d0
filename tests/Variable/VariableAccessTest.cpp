// Variable reads and writes by id, target and name, over a small world: an instance `alarm`
// array that maps indices outside 0-11 to 0, a read-only `id`, a global `room`, three game variables.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueConvert.h"
#include "Code/ValueOperators.h"
#include "Code/ValueTestSupport.h"
#include "Code/ValueText.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/CInstance.h"
#include "Variable/GameVariables.h"
#include "Variable/InstanceDirectory.h"
#include "Variable/InstancePool.h"
#include "Variable/KxObjectBase.h"
#include "Variable/VariableAccess.h"
#include "Variable/VariableFunctions.h"
#include "Variable/VariableId.h"
#include "Variable/VariableNameRegistry.h"

namespace {

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

double g_room = 0;

double& Alarm(CInstance* self, int32_t index) {
    return static_cast<TestInstance*>(self)->alarm[index >= 0 && index < 12 ? index : 0];
}

class VariableAccess : public ::testing::Test {
protected:
    static constexpr int32_t SLIME = 3; // an object index

    void SetUp() override {
        ResetVariables();
        g_room = 0;
        using Out = RValue*;
        using In = const RValue*;
        RegisterBuiltinVariable(
            "alarm",
            [](CInstance* self, int32_t i, Out out) { SetReal(*out, Alarm(self, i)); return true; },
            [](CInstance* self, int32_t i, In v) { Alarm(self, i) = ToReal(*v); return true; });
        RegisterBuiltinVariable(
            "id", [](CInstance* self, int32_t, Out out) { SetReal(*out, self->id); return true; },
            nullptr);
        BuiltinVariables().EndInstanceVariables();
        RegisterBuiltinVariable(
            "room", [](CInstance*, int32_t, Out out) { SetReal(*out, g_room); return true; },
            [](CInstance*, int32_t, In v) { g_room = ToReal(*v); return true; });
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

TEST_F(VariableAccess, GlobalsReadUnsetUntilWrittenAndUndefinedByNameUntilSet) {
    const int32_t hp = GameVariableId(2);
    ScopedRValue result;
    EXPECT_FALSE(GetGlobalVariable(hp, ARRAY_INDEX_NONE, result)); // no cell yet
    EXPECT_EQ(result.Kind(), VALUE_UNSET);

    // Compiled code reaches the slot directly, which creates it unset; reading raises nothing.
    RValue& slot = *GlobalObject()->FindOrCreateVariable(2);
    RuntimeErrorCapture errors;
    EXPECT_TRUE(GetGlobalVariable(hp, ARRAY_INDEX_NONE, result));
    EXPECT_EQ(result.Kind(), VALUE_UNSET);
    EXPECT_TRUE(errors.Empty());
    ScopedRValue sum(RealValue(1));
    OpAddAssign(sum, slot);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"REAL argument is unset"});

    // The first store marks the slot with flags 7; later stores keep whatever flags it has.
    SetGlobalVariable(hp, ARRAY_INDEX_NONE, RealValue(3));
    EXPECT_EQ(slot.flags, 7u);
    EXPECT_TRUE(GetGlobalVariable(hp, ARRAY_INDEX_NONE, result));
    EXPECT_EQ(ToReal(result), 3);
    slot.flags = 2;
    SetGlobalVariable(hp, ArrayIndex(0, 2), RealValue(5));
    EXPECT_EQ(slot.flags, 2u);
    EXPECT_EQ(ArrayLength(slot), 3);

    // By name: a global exists once set; a missing one reads undefined.
    SetReal(result, 1);
    EXPECT_FALSE(VariableGlobalExists("megaslimey"));
    VariableGlobalGet("megaslimey", result);
    EXPECT_EQ(result.Kind(), VALUE_UNDEFINED);
    VariableGlobalSet("megaslimey", Str("beaten"));
    EXPECT_TRUE(VariableGlobalExists("megaslimey"));
    VariableGlobalGet("megaslimey", result);
    EXPECT_EQ(StringView(result), "beaten");
    EXPECT_EQ(FindVariable(GlobalObject(), "megaslimey"), 3); // after the game's three

    // A game global that compiled code only touched is unset: it does not exist yet.
    GlobalObject()->FindOrCreateVariable(1);
    EXPECT_FALSE(VariableGlobalExists("dead"));

    // Global built-ins go through their accessors; per-instance ones have no global value.
    VariableGlobalSet("room", RealValue(4));
    EXPECT_EQ(g_room, 4);
    VariableGlobalGet("room", result);
    EXPECT_EQ(ToReal(result), 4);
    VariableGlobalSet("alarm", RealValue(8));
    EXPECT_EQ(FindVariable(GlobalObject(), "alarm"), -1);
    VariableGlobalGet("alarm", result);
    EXPECT_EQ(result.Kind(), VALUE_UNDEFINED);
    EXPECT_FALSE(VariableGlobalExists("alarm"));
}

TEST_F(VariableAccess, TargetsReadTheFirstSelectableInstanceAndWriteAllOfThem) {
    TestInstance& gone = instances_.Add(100001, SLIME);
    TestInstance& asleep = instances_.Add(100002, SLIME);
    TestInstance& awake = instances_.Add(100003, SLIME);
    TestInstance& later = instances_.Add(100004, SLIME);
    gone.flags = INSTANCE_FLAG_MARKED;
    asleep.flags = INSTANCE_FLAG_DEACTIVATED;

    EXPECT_TRUE(SetVariable(SLIME, 2, ARRAY_INDEX_NONE, RealValue(9)));
    EXPECT_EQ(gone.FindSlot(2), nullptr);
    EXPECT_EQ(asleep.FindSlot(2), nullptr);
    EXPECT_EQ(awake.FindSlot(2)->val, 9);
    EXPECT_EQ(later.FindSlot(2)->val, 9);
    EXPECT_TRUE(SetVariable(TARGET_ALL, 0, ARRAY_INDEX_NONE, RealValue(4)));
    EXPECT_EQ(gone.FindSlot(0), nullptr);

    SetReal(*later.FindOrCreateVariable(1), 5);
    ScopedRValue result;
    EXPECT_FALSE(GetVariable(SLIME, 1, ARRAY_INDEX_NONE, result)); // awake comes first
    EXPECT_TRUE(GetVariable(later.id, 1, ARRAY_INDEX_NONE, result));
    EXPECT_FALSE(GetVariable(gone.id, 2, ARRAY_INDEX_NONE, result));

    // Past the ones that cannot be selected, the next of the object's instances is read.
    awake.flags = INSTANCE_FLAG_MARKED;
    EXPECT_TRUE(GetVariable(SLIME, 1, ARRAY_INDEX_NONE, result));
    EXPECT_EQ(ToReal(result), 5);
    later.flags = INSTANCE_FLAG_MARKED;
    EXPECT_FALSE(GetVariable(TARGET_ALL, 0, ARRAY_INDEX_NONE, result));
    EXPECT_FALSE(GetVariable(SLIME, 1, ARRAY_INDEX_NONE, result));
}

TEST_F(VariableAccess, WritesThatFindNoInstanceRaiseNamingTheTargetAndBuiltinsTakeTheirIndex) {
    instances_.Add(100001, SLIME).flags = INSTANCE_FLAG_MARKED;
    RuntimeErrorCapture errors;
    SetVariableOrFail(SLIME, Builtin("alarm"), 0, RealValue(1));
    SetVariableOrFail(100001, GameVariableId(0), ARRAY_INDEX_NONE, RealValue(1));
    SetVariableOrFail(TARGET_ALL, GameVariableId(0), ARRAY_INDEX_NONE, RealValue(1));
    EXPECT_EQ(errors.Messages(),
              (std::vector<std::string>{
                  "Unable to find any instance for object index '3' name 'oSlime'",
                  "Unable to find any instance for object index '100001'",
                  "Unable to find any instance for object index '-3'"}));

    errors.Clear();
    TestInstance& slime = instances_.Add(100002, SLIME);
    SetVariableOrFail(SLIME, Builtin("alarm"), 0, RealValue(12));
    EXPECT_TRUE(errors.Empty());
    EXPECT_EQ(slime.alarm[0], 12);
    // Built-ins take their index to their getter and setter: alarm[15] is alarm[0].
    EXPECT_TRUE(SetVariableDirect(&slime, Builtin("alarm"), 15, RealValue(30)));
    EXPECT_EQ(slime.alarm[0], 30);
    EXPECT_TRUE(SetVariableDirect(&slime, Builtin("alarm"), 11, RealValue(4)));
    ScopedRValue result;
    EXPECT_TRUE(GetVariableDirect(&slime, Builtin("alarm"), 11, result));
    EXPECT_EQ(ToReal(result), 4);
}

// An instance keeps in flat cells the slots its object's instances used before it was made,
// and in its map a slot first met later or beyond a full layout. A laid-out cell never created
// reads as missing, as a map without the slot does, and a freed instance's pool block and cells
// come back holding none of its variables.
TEST_F(VariableAccess, InstancesKeepTheirObjectsSlotsInFlatCellsAndReuseBlocksClean) {
    const int32_t dead = GameVariableId(1);
    const int32_t hp = GameVariableId(2);
    ScopedRValue shared = Str("snow");
    ScopedRValue result;
    RuntimeErrorCapture errors;

    CInstance* first = NewInstance(100001, SLIME);
    CopyValue(*first->FindOrCreateVariable(0), shared); // slot 0 joins the slime's layout
    ASSERT_NE(first->Variables(), nullptr);
    EXPECT_EQ(first->Variables()->Count(), 1);

    CInstance* second = NewInstance(100002, SLIME);
    EXPECT_FALSE(GetVariableDirect(second, GameVariableId(0), ARRAY_INDEX_NONE, result));
    EXPECT_EQ(second->FindSlot(0), nullptr);
    // A laid-out cell indexed before it exists is missing, not "not an array".
    EXPECT_FALSE(GetVariableDirect(second, GameVariableId(0), ArrayIndex(0, 1), result));
    EXPECT_EQ(result.Kind(), VALUE_UNSET);
    EXPECT_TRUE(errors.Empty());
    CopyValue(*second->FindOrCreateVariable(0), shared);
    EXPECT_EQ(second->Variables(), nullptr); // in its cells
    EXPECT_EQ(shared.str->refcount, 3);

    // Set by id at run time on the first instance: the slot joins the layout, the first keeps
    // it in its map and the second finds it in its cells, separately.
    EXPECT_TRUE(SetVariableDirect(first, hp, ARRAY_INDEX_NONE, RealValue(7)));
    EXPECT_EQ(first->Variables()->Count(), 2);
    EXPECT_FALSE(GetVariableDirect(second, hp, ARRAY_INDEX_NONE, result));
    EXPECT_TRUE(SetVariableDirect(second, hp, ARRAY_INDEX_NONE, RealValue(9)));
    EXPECT_EQ(second->Variables(), nullptr);
    EXPECT_TRUE(GetVariableDirect(first, hp, ARRAY_INDEX_NONE, result));
    EXPECT_EQ(ToReal(result), 7);
    EXPECT_TRUE(GetVariableDirect(second, hp, ARRAY_INDEX_NONE, result));
    EXPECT_EQ(ToReal(result), 9);
    // Met first on the second instance, whose array has a cell to spare at its new index.
    EXPECT_TRUE(SetVariableDirect(second, dead, ARRAY_INDEX_NONE, RealValue(4)));
    EXPECT_EQ(second->Variables(), nullptr);
    EXPECT_TRUE(GetVariableDirect(second, dead, ARRAY_INDEX_NONE, result));
    EXPECT_EQ(ToReal(result), 4);
    EXPECT_FALSE(GetVariableDirect(first, dead, ARRAY_INDEX_NONE, result));

    // A layout holds so many cells; slots beyond stay in each instance's map.
    const int32_t beyond = int32_t(SlotLayout::MAX_CELLS) + 10;
    for (int32_t slot = 3; slot <= beyond; ++slot) SetReal(*first->FindOrCreateVariable(slot), slot);
    CInstance* third = NewInstance(100003, SLIME);
    SetReal(*third->FindOrCreateVariable(beyond), 1);
    SetReal(*third->FindOrCreateVariable(100), 2);
    ASSERT_NE(third->Variables(), nullptr);
    EXPECT_EQ(third->Variables()->Count(), 1);
    EXPECT_EQ(first->FindSlot(beyond)->val, beyond);
    EXPECT_EQ(third->FindSlot(beyond)->val, 1);
    EXPECT_EQ(third->FindSlot(100)->val, 2);
    FreeInstance(third);

    // The freed block is the next one handed out, with no variable of the instance before.
    FreeInstance(second);
    EXPECT_EQ(shared.str->refcount, 2);
    CInstance* reused = NewInstance(100004, SLIME);
    EXPECT_EQ(reused, second);
    for (int32_t id : {GameVariableId(0), dead, hp}) {
        EXPECT_FALSE(GetVariableDirect(reused, id, ARRAY_INDEX_NONE, result)) << id;
        EXPECT_EQ(result.Kind(), VALUE_UNSET);
    }
    EXPECT_EQ(reused->FindOrCreateVariable(0)->Kind(), VALUE_UNSET);
    EXPECT_EQ(reused->Variables(), nullptr);
    FreeInstance(reused);
    FreeInstance(first);
    EXPECT_EQ(shared.str->refcount, 1);
    EXPECT_TRUE(errors.Empty());
}

TEST_F(VariableAccess, InstanceVariablesAreReachedOnlyThroughLiveInstances) {
    TestInstance& slime = instances_.Add(100001, SLIME);
    TestInstance& frog = instances_.Add(100002, SLIME + 1);
    ScopedRValue result;
    VariableInstanceSet(slime.id, "talking", RealValue(1)); // a name no code declared
    VariableInstanceSet(100009, "hp", RealValue(1));        // no such instance
    VariableInstanceGet(slime.id, "talking", result);
    EXPECT_EQ(ToReal(result), 1);
    VariableInstanceGet(SLIME, "talking", result); // an object index is no instance id
    EXPECT_EQ(result.Kind(), VALUE_UNDEFINED);
    VariableInstanceGet(frog.id, "talking", result);
    EXPECT_EQ(result.Kind(), VALUE_UNDEFINED);

    EXPECT_TRUE(VariableInstanceExists(&frog, &slime, TARGET_OTHER, "talking"));
    EXPECT_FALSE(VariableInstanceExists(&frog, &slime, TARGET_SELF, "talking"));
    EXPECT_TRUE(VariableInstanceExists(nullptr, nullptr, TARGET_ALL, "talking"));
    EXPECT_TRUE(VariableInstanceExists(nullptr, nullptr, SLIME, "talking"));
    EXPECT_FALSE(VariableInstanceExists(nullptr, nullptr, SLIME + 1, "talking"));
    EXPECT_TRUE(VariableInstanceExists(nullptr, nullptr, frog.id, "id"));

    slime.flags = INSTANCE_FLAG_DEACTIVATED;
    EXPECT_FALSE(VariableInstanceExists(nullptr, nullptr, slime.id, "talking"));
    EXPECT_FALSE(VariableInstanceExists(&frog, &slime, TARGET_OTHER, "talking"));
}

TEST_F(VariableAccess, LoadNamesTheGameSlotsAndResolvesOtherNamesToBuiltins) {
    // The fixture loaded {checkpoint 0, dead 1, hp 2, alarm -1} with counts 3.
    EXPECT_EQ(table_[3].id, Builtin("alarm"));
    EXPECT_EQ(GlobalObject()->slot_count, 3);
    EXPECT_STREQ(VariableNames().GlobalName(1), "dead");
    EXPECT_EQ(VariableNames().Find(VARIABLE_SCOPE_INSTANCE, "hp"), 2);

    // A second table raises each count only where it is larger and keeps unknown names at -1.
    VariablePair more[] = {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 3}, {"yp", -1}, {}};
    LoadGameVariables(more, 4, 2);
    EXPECT_EQ(GlobalVariableCount(), 4);
    EXPECT_EQ(InstanceVariableCount(), 3);
    EXPECT_EQ(GlobalObject()->slot_count, 4);
    EXPECT_EQ(more[4].id, -1);
    EXPECT_EQ(CInstance(100001, 0).slot_count, 3);

    // Resolving again: built-ins get their index, other names ids in order of first sight.
    VariablePair again[] = {{"checkpoint", 0}, {"id", -1}, {"dead", 1}, {"checkpoint", 0},
                            {"spare", -1},     {}};
    ResolveGameVariables(again);
    EXPECT_EQ(again[0].id, GameVariableId(0));
    EXPECT_EQ(again[1].id, Builtin("id"));
    EXPECT_EQ(again[2].id, GameVariableId(1));
    EXPECT_EQ(again[3].id, GameVariableId(0));
    EXPECT_EQ(again[4].id, GameVariableId(2));

    // A table resolved by an earlier load names its declared slots when loaded again.
    VariablePair resolved[] = {{"dead", 1}, {"hp", 2}, {"alarm", -1}, {}};
    ResolveGameVariables(resolved);
    VariableNames().Clear();
    LoadGameVariables(resolved, 3, 3);
    EXPECT_EQ(VariableNames().Find(VARIABLE_SCOPE_GLOBAL, "hp"), 2);
    EXPECT_EQ(VariableNames().Find(VARIABLE_SCOPE_INSTANCE, "dead"), 1);
    EXPECT_EQ(VariableNames().Find(VARIABLE_SCOPE_GLOBAL, "alarm"), -1);
    EXPECT_EQ(resolved[2].id, Builtin("alarm"));
}

TEST_F(VariableAccess, NamesAddedAtRunTimeExtendTheirScopeOnly) {
    VariableNameRegistry& names = VariableNames();
    EXPECT_EQ(names.FindOrAdd(VARIABLE_SCOPE_INSTANCE, "answer"), 3);
    EXPECT_EQ(names.FindOrAdd(VARIABLE_SCOPE_INSTANCE, "answer"), 3);
    EXPECT_EQ(names.FindOrAdd(VARIABLE_SCOPE_INSTANCE, "talking"), 4);
    EXPECT_EQ(names.FindOrAdd(VARIABLE_SCOPE_GLOBAL, "fast"), 3);
    EXPECT_EQ(names.FindOrAdd(VARIABLE_SCOPE_GLOBAL, "answer"), 4);
    // Any scope: global names first, then instance names, then built-ins.
    EXPECT_EQ(names.Find(VARIABLE_SCOPE_ANY, "answer"), 4);
    EXPECT_EQ(names.Find(VARIABLE_SCOPE_ANY, "talking"), 4);
    EXPECT_EQ(names.Find(VARIABLE_SCOPE_ANY, "room"), Builtin("room"));
    EXPECT_EQ(names.Find(VARIABLE_SCOPE_ANY, "nothing"), -1);
}

void ReadNumber(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, ArgReal(args, 0));
}

TEST_F(VariableAccess, AFunctionNameReadsAsOneMethodObjectThatArgumentsReadAsItsNumber) {
    // A built-in whose name is also a global's, registered first: function 0 is a function too.
    RegisterBuiltin("dead", ReadNumber, 1);
    RegisterBuiltin("read_number", ReadNumber, 1);
    ScopedRValue method;
    EXPECT_TRUE(GetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, method));
    EXPECT_STREQ(ValueKindName(method), "method");
    ScopedRValue again;
    GetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, again);
    EXPECT_EQ(again.obj, method.obj);

    // Number arguments read a method as its function and an instance as its id.
    TestInstance& slime = instances_.Add(100007, SLIME);
    RValue instance{};
    instance.obj = &slime;
    instance.kind = VALUE_OBJECT;
    RValue* args[] = {&method};
    ScopedRValue result;
    CallBuiltin(nullptr, nullptr, result, 1, FindBuiltin("read_number"), args);
    EXPECT_EQ(result.val, FindBuiltin("dead"));
    args[0] = &instance;
    CallBuiltin(nullptr, nullptr, result, 1, FindBuiltin("read_number"), args);
    EXPECT_EQ(result.val, 100007);

    // Once written, the variable is the game's own again.
    SetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, RealValue(1));
    GetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, again);
    EXPECT_EQ(again.Kind(), VALUE_REAL);
    // A name that is no function stays unset.
    ScopedRValue hp;
    EXPECT_FALSE(GetGlobalVariable(GameVariableId(2), ARRAY_INDEX_NONE, hp));
    EXPECT_EQ(hp.Kind(), VALUE_UNSET);
    ClearBuiltins();
}

} // namespace
