// The variable map's growth and robin-hood lookups, the pools behind objects' variables, and
// instances' flat cells laid out by their object.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "../Code/ValueTestSupport.h"
#include "Code/RuntimeError.h"
#include "Variable/GenericObjectPool.h"
#include "Variable/InstancePool.h"
#include "Variable/SlotPool.h"
#include "Variable/VariableAccess.h"
#include "Variable/VariableMap.h"
#include "VariableTestSupport.h"

namespace {

TEST(VariableMap, AFreshObjectGrowsFromEightToSixteenAtTheSixthVariable) {
    KxObjectBase object(10);
    EXPECT_EQ(object.Variables(), nullptr); // created on first use
    for (int32_t slot = 0; slot < 5; ++slot) SetReal(*object.FindOrCreateVariable(slot), slot);
    EXPECT_EQ(object.Variables()->Capacity(), 8);
    SetReal(*object.FindOrCreateVariable(5), 5);
    EXPECT_EQ(object.Variables()->Capacity(), 16);
    EXPECT_EQ(object.Variables()->Count(), 6);
    for (int32_t slot = 0; slot < 6; ++slot) EXPECT_EQ(object.FindSlot(slot)->val, slot) << slot;
    EXPECT_EQ(object.FindSlot(6), nullptr);
    // A slot met again is the same cell, not a new one.
    EXPECT_EQ(object.FindOrCreateVariable(3), object.FindSlot(3));
    EXPECT_EQ(object.Variables()->Count(), 6);
}

TEST(VariableMap, FindsEveryKeyAmongThousandsAndNoneThatIsMissing) {
    // Scattered keys collide in runs that overlap one another: a lookup that gives up at a
    // resident nearer its home only finds every key if displacement kept the runs in order.
    std::set<int32_t> key_set;
    std::minstd_rand random(7);
    while (key_set.size() < 4000) key_set.insert(static_cast<int32_t>(random() % (1 << 30)));
    std::vector<int32_t> keys(key_set.begin(), key_set.end());
    std::shuffle(keys.begin(), keys.end(), random);
    const std::vector<int32_t> missing(keys.begin() + 3000, keys.end());
    keys.resize(3000);

    std::vector<RValue> cells(keys.size());
    VariableMap map;
    for (size_t i = 0; i < keys.size(); ++i) map.Insert(keys[i], &cells[i]);
    EXPECT_EQ(map.Count(), 3000);
    EXPECT_EQ(map.Capacity(), 8192); // kept at most 60% full
    for (size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(map.Find(keys[i]), &cells[i]) << keys[i];
    for (int32_t key : missing) ASSERT_EQ(map.Find(key), nullptr) << key;

    RValue replacement{};
    map.Insert(keys[17], &replacement);
    EXPECT_EQ(map.Find(keys[17]), &replacement);
    EXPECT_EQ(map.Count(), 3000);
}

TEST(VariableMap, ReleasedObjectsReturnTheirCellsAndValuesAndAreReused) {
    ScopedRValue shared = Str("snow");
    KxObjectBase* object = GenericObjects().Create(4);
    for (int32_t slot = 0; slot < 40; ++slot)
        CopyValue(*object->FindOrCreateVariable(slot), shared);
    EXPECT_EQ(shared.str->refcount, 41);

    size_t free_cells = VariableSlotPool().FreeCount();
    GenericObjects().Release(object);
    EXPECT_EQ(VariableSlotPool().FreeCount(), free_cells + 40);
    EXPECT_EQ(shared.str->refcount, 1);

    // The next creation takes the released object back, empty, with its new slot count.
    KxObjectBase* again = GenericObjects().Create(9);
    EXPECT_EQ(again, object);
    EXPECT_EQ(again->slot_count, 9);
    EXPECT_EQ(again->FindSlot(0), nullptr);
    EXPECT_EQ(again->FindOrCreateVariable(0)->Kind(), VALUE_UNSET);
    GenericObjects().Release(again);
}

// An instance keeps in flat cells the slots its object's instances used before it was made,
// and in its map a slot first met later or beyond a full layout. A laid-out cell never created
// reads as missing, as a map without the slot does, and a freed instance's pool block and cells
// come back holding none of its variables.
TEST_F(VariableTest, InstancesKeepTheirObjectsSlotsInFlatCellsAndReuseBlocksClean) {
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

} // namespace
