// The built-in variable table's limit and its instance/global boundary.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Base/OutputChannel.h"
#include "Code/ValueArray.h"
#include "Runner/BuiltinWiring.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"
#include "TestFiles.h"

namespace {

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
