// The game's variable table at load and the name registry's scopes.
#include "Variable/KxObjectBase.h"
#include "Variable/VariableNameRegistry.h"
#include "VariableTestSupport.h"

namespace {

using GameVariables = VariableTest;

TEST_F(GameVariables, LoadNamesTheGameSlotsAndResolvesOtherNamesToBuiltins) {
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

TEST_F(GameVariables, NamesAddedAtRunTimeExtendTheirScopeOnly) {
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

} // namespace
