// A global that was never written but names a function reads as a method object.
#include "Code/Builtins.h"
#include "Code/ValueText.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/VariableAccess.h"
#include "VariableTestSupport.h"

namespace {

void ReadNumber(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, ArgReal(args, 0));
}

class MethodObject : public VariableTest {
protected:
    void SetUp() override {
        VariableTest::SetUp();
        // A built-in whose name is also a global's, registered first: function 0 is a function too.
        RegisterBuiltin("dead", ReadNumber, 1);
        RegisterBuiltin("read_number", ReadNumber, 1);
    }
    void TearDown() override {
        ClearBuiltins();
        VariableTest::TearDown();
    }
};

TEST_F(MethodObject, AFunctionNameReadsAsOneMethodPerFunction) {
    ScopedRValue first;
    ASSERT_TRUE(GetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, first));
    ASSERT_EQ(first.Kind(), VALUE_OBJECT);
    EXPECT_STREQ(ValueKindName(first), "method");
    ScopedRValue again;
    GetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, again);
    EXPECT_EQ(again.obj, first.obj);

    // Once written, the variable is the game's own again.
    SetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, RealValue(1));
    GetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, again);
    EXPECT_EQ(again.Kind(), VALUE_REAL);

    // A name that is no function stays unset.
    ScopedRValue hp;
    EXPECT_FALSE(GetGlobalVariable(GameVariableId(2), ARRAY_INDEX_NONE, hp));
    EXPECT_EQ(hp.Kind(), VALUE_UNSET);
}

TEST_F(MethodObject, NumberArgumentsReadObjectsAsTheirNumbers) {
    ScopedRValue method;
    GetGlobalVariable(GameVariableId(1), ARRAY_INDEX_NONE, method);
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
}

} // namespace
