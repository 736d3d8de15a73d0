// The variable_global_* and variable_instance_* cores over names.
#include "../Code/ValueTestSupport.h"
#include "Variable/VariableAccess.h"
#include "Variable/VariableFunctions.h"
#include "VariableTestSupport.h"

namespace {

using VariableFunctions = VariableTest;

TEST_F(VariableFunctions, GlobalsExistOnceSetAndMissingOnesReadUndefined) {
    ScopedRValue result = Num(1);
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
    EXPECT_EQ(test_builtins::g_room, 4);
    VariableGlobalGet("room", result);
    EXPECT_EQ(ToReal(result), 4);
    VariableGlobalSet("alarm", RealValue(8));
    EXPECT_EQ(FindVariable(GlobalObject(), "alarm"), -1);
    VariableGlobalGet("alarm", result);
    EXPECT_EQ(result.Kind(), VALUE_UNDEFINED);
    EXPECT_FALSE(VariableGlobalExists("alarm"));
}

TEST_F(VariableFunctions, InstanceVariablesAreReachedOnlyThroughLiveInstances) {
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

} // namespace
