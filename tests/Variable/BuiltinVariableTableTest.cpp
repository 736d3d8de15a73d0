// The built-in variable table's limit and its instance/global boundary.
#include <gtest/gtest.h>

#include <string>

#include "Runner/OutputChannel.h"
#include "Variable/BuiltinVariableTable.h"

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

} // namespace
