// The built-in variable table's limit and its instance/global boundary.
#include <gtest/gtest.h>

#include <string>

#include "Base/OutputChannel.h"
#include "Code/ValueArray.h"
#include "Runner/BuiltinWiring.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/GameVariables.h"

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
    struct Expected {
        const char* name;
        bool per_instance;
        bool writable;
    };
    const Expected expected[] = {
        {"x", true, true}, {"y", true, true}, {"xprevious", true, true}, {"yprevious", true, true},
        {"xstart", true, true}, {"ystart", true, true}, {"speed", true, true}, {"direction", true, true},
        {"hspeed", true, true}, {"vspeed", true, true}, {"friction", true, true}, {"gravity", true, true},
        {"gravity_direction", true, true}, {"id", true, false}, {"object_index", true, false},
        {"solid", true, true}, {"visible", true, true}, {"persistent", true, true}, {"depth", true, true},
        {"alarm", true, true}, {"sprite_index", true, true}, {"image_index", true, true},
        {"image_speed", true, true}, {"image_xscale", true, true}, {"image_yscale", true, true},
        {"image_angle", true, true}, {"image_alpha", true, true}, {"image_blend", true, true},
        {"mask_index", true, true}, {"sprite_width", true, false}, {"sprite_height", true, false},
        {"sprite_xoffset", true, false}, {"sprite_yoffset", true, false}, {"room", false, true},
        {"room_width", false, true}, {"room_height", false, true}, {"room_speed", false, true},
        {"room_persistent", false, true}, {"delta_time", false, false}, {"fps", false, false},
        {"undefined", false, false}, {"event_object", false, false}, {"event_type", false, false},
        {"event_number", false, false},
    };
    const BuiltinVariableTable& table = BuiltinVariables();
    for (const Expected& variable : expected) {
        const int32_t index = table.Find(variable.name);
        ASSERT_GE(index, 0) << variable.name;
        EXPECT_EQ(table.IsPerInstance(index), variable.per_instance) << variable.name;
        EXPECT_EQ(table.At(index)->setter != nullptr, variable.writable) << variable.name;
    }
    ScopedRValue value;
    EXPECT_TRUE(table.At(table.Find("undefined"))->getter(nullptr, ARRAY_INDEX_NONE, &value));
    EXPECT_EQ(value.Kind(), VALUE_UNDEFINED);
    ResetVariables();
}

} // namespace
