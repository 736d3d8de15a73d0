// Tests that call built-ins by name, as compiled code does through the registry: every group
// registered, the debug output captured (what registration wrote is kept apart), and the data
// structures a test made destroyed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

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
        ScopedRValue values[] = {ScopedRValue(args)..., ScopedRValue()};
        RValue* argv[sizeof...(Args) + 1];
        for (size_t i = 0; i <= sizeof...(Args); ++i) argv[i] = &values[i];
        int32_t index = FindBuiltin(name);
        EXPECT_GE(index, 0) << name;
        ScopedRValue result;
        CallBuiltin(caller_, caller_, result, sizeof...(Args), index, argv);
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
