// Tests that call built-ins by name, as compiled code does through the registry: every group
// registered, the debug output captured (what registration wrote is kept apart), and the data
// structures a test made destroyed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Base/OutputChannel.h"
#include "Code/Builtins.h"
#include "Code/ValueText.h"
#include "Runner/BuiltinWiring.h"
#include "Support/DsState.h"

class BuiltinCallTest : public ::testing::Test {
protected:
    void SetUp() override {
        DebugOutput().CaptureTo(&debug_);
        RegisterBuiltinFunctions();
        registration_log_.swap(debug_);
    }
    void TearDown() override {
        DestroyAllDataStructures();
        DebugOutput().CaptureTo(nullptr);
        ClearBuiltins();
    }

    template <typename... Args>
    ScopedRValue Call(const char* name, const Args&... args) {
        std::vector<ScopedRValue> values;
        (values.emplace_back(args), ...);
        return CallWith(name, values);
    }
    ScopedRValue CallWith(const char* name, std::vector<ScopedRValue>& values) {
        std::vector<RValue*> argv;
        for (ScopedRValue& value : values) argv.push_back(&value);
        const int32_t index = FindBuiltin(name);
        EXPECT_GE(index, 0) << name;
        ScopedRValue result;
        if (index >= 0) CallBuiltin(caller_, caller_, result, int(argv.size()), index, argv.data());
        return result;
    }
    double Number(const char* name, auto... args) {
        ScopedRValue result = Call(name, args...);
        EXPECT_EQ(result.Kind(), VALUE_REAL) << name;
        return result.val;
    }
    std::string Text(const char* name, auto... args) { return ValueText(Call(name, args...)); }

    CInstance* caller_ = nullptr; // self and other of the calls
    std::string registration_log_;
    std::string debug_; // what the test's own calls wrote
};
