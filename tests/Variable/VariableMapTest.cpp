// The variable map, the pools behind objects' variables, and the built-in variable table.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "Base/OutputChannel.h"
#include "Code/ValueArray.h"
#include "Code/ValueTestSupport.h"
#include "Runner/BuiltinWiring.h"
#include "TestFiles.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"
#include "Variable/GenericObjectPool.h"
#include "Variable/KxObjectBase.h"
#include "Variable/SlotPool.h"
#include "Variable/VariableMap.h"

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

bool ReadNothing(CInstance*, int32_t, RValue*) { return false; }

TEST(BuiltinVariableTable, FiveHundredFitAndTheNextIsIgnoredWithAnError) {
    BuiltinVariableTable table;
    table.Register("x", ReadNothing, nullptr);
    table.EndInstanceVariables();
    for (int i = 1; i < BuiltinVariableTable::CAPACITY; ++i)
        table.Register(("global_" + std::to_string(i)).c_str(), ReadNothing, nullptr);
    EXPECT_TRUE(table.IsPerInstance(table.Find("x")));
    EXPECT_FALSE(table.IsPerInstance(table.Find("global_1")));
    EXPECT_EQ(table.Find("global_499"), 499);

    std::string errors;
    ErrorOutput().CaptureTo(&errors);
    table.Register("one_too_many", ReadNothing, nullptr);
    ErrorOutput().Reset();
    EXPECT_EQ(errors, "INTERNAL ERROR: Adding too many variables\n");
    EXPECT_EQ(table.Find("one_too_many"), -1);
    EXPECT_EQ(table.Count(), 500);
    EXPECT_EQ(table.At(500), nullptr);
}

// The runner's own table holds every variable the game's code may name, each in its scope and
// read-only where it must be. Names that input and views bring are added with them.
TEST(BuiltinVariableTable, TheRunnerRegistersTheGamesVariablesInTheirScopes) {
    RegisterBuiltinVariables();
    const BuiltinVariableTable& table = BuiltinVariables();
    std::istringstream lines(
        ReadText(TEST_SOURCE_DIR "/Variable/data/runner_builtin_variables.txt"));
    int listed = 0;
    for (std::string line, name, scope, access; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream(line) >> name >> scope >> access;
        const int32_t index = table.Find(name.c_str());
        ++listed;
        ASSERT_GE(index, 0) << name;
        EXPECT_EQ(table.IsPerInstance(index) ? "instance" : "global", scope) << name;
        EXPECT_EQ(table.At(index)->setter ? "writable" : "read-only", access) << name;
    }
    EXPECT_EQ(listed, 44);
    ScopedRValue value;
    EXPECT_TRUE(table.At(table.Find("undefined"))->getter(nullptr, ARRAY_INDEX_NONE, &value));
    EXPECT_EQ(value.Kind(), VALUE_UNDEFINED);
    ResetVariables();
}

} // namespace
