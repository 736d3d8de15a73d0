// Runtime variable reads and writes: unset slots, global flags, built-in dispatch, targets
// and the errors of writes that find no instance.
#include "Code/RuntimeError.h"
#include "Code/ValueOperators.h"
#include "Variable/VariableAccess.h"
#include "VariableTestSupport.h"

namespace {

using VariableAccess = VariableTest;

TEST_F(VariableAccess, UnwrittenGlobalsReadAsUnsetAndRaiseOnlyWhenConverted) {
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
}

TEST_F(VariableAccess, BuiltinsDispatchToGetterAndSetterWithTheirIndex) {
    TestInstance& slime = instances_.Add(100001, SLIME);
    ScopedRValue result;
    EXPECT_TRUE(SetVariableDirect(&slime, Builtin("alarm"), 15, RealValue(30)));
    EXPECT_EQ(slime.alarm[0], 30); // alarm[15] is alarm[0]
    EXPECT_TRUE(SetVariableDirect(&slime, Builtin("alarm"), 11, RealValue(4)));
    EXPECT_TRUE(GetVariableDirect(&slime, Builtin("alarm"), 11, result));
    EXPECT_EQ(ToReal(result), 4);

    // A read-only built-in refuses the write and keeps its value.
    EXPECT_FALSE(SetVariableDirect(&slime, Builtin("id"), ARRAY_INDEX_NONE, RealValue(7)));
    EXPECT_TRUE(GetVariableDirect(&slime, Builtin("id"), ARRAY_INDEX_NONE, result));
    EXPECT_EQ(ToReal(result), 100001);

    // Game variables of an instance are its own.
    TestInstance& other = instances_.Add(100002, SLIME);
    EXPECT_TRUE(SetVariableDirect(&slime, GameVariableId(1), ARRAY_INDEX_NONE, RealValue(1)));
    EXPECT_FALSE(GetVariableDirect(&other, GameVariableId(1), ARRAY_INDEX_NONE, result));
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

TEST_F(VariableAccess, WritesThatFindNoInstanceRaiseNamingTheTarget) {
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
}

} // namespace
