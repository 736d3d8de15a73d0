// Built-ins that reach the runner's other services: variables by name, asset names, scripts by
// index, and the player-facing and debug messages.
#include "Function/BuiltinGroups.h"

#include <vector>

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Code/Scripts.h"
#include "Code/ValueText.h"
#include "IO/InputState.h"
#include "Package/AssetNames.h"
#include "Platform/MessageDialog.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/VariableFunctions.h"

namespace {

void variable_global_exists(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, VariableGlobalExists(ArgString(args, 0)));
}
void variable_global_get(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    VariableGlobalGet(ArgString(args, 0), result);
}
void variable_global_set(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    VariableGlobalSet(ArgString(args, 0), args[1]);
    FreeValue(result);
}
void variable_instance_exists(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    SetReal(result, VariableInstanceExists(self, other, ArgInt32(args, 0), ArgString(args, 1)));
}
void variable_instance_get(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    VariableInstanceGet(ArgInt32(args, 0), ArgString(args, 1), result);
}
void variable_instance_set(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    VariableInstanceSet(ArgInt32(args, 0), ArgString(args, 1), args[2]);
    FreeValue(result);
}

void asset_get_index(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, FindAssetIndex(ArgString(args, 0)));
}

// script_execute(script, argument...): the script by its index, as code that only knows the
// index at run time calls it.
void script_execute(RValue& result, CInstance* self, CInstance* other, int argc, RValue* args) {
    const int32_t script = ArgInt32(args, 0);
    if (script < 0 || script >= Script_Count()) {
        RaiseRuntimeError("script_execute: script %d does not exist", script);
        return;
    }
    std::vector<RValue*> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(&args[i]);
    arguments.push_back(nullptr);
    CallScript(self, other, result, argc - 1, script, arguments.data());
}

void show_message(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    ActiveMessageDialog().ShowMessage(Runner().caption, ValueText(args[0]));
    // Keys held while the box was up must not read as held after it.
    ClearInput();
    FreeValue(result);
}

void show_debug_message(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    DebugOutput().Printf("%s\n", ValueText(args[0]).c_str());
    FreeValue(result);
}

void show_error(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    ShowError(ArgString(args, 0), ArgBool(args, 1));
    FreeValue(result);
}

} // namespace

void RegisterVariableFunctions() {
    RegisterBuiltin("variable_global_exists", variable_global_exists, 1);
    RegisterBuiltin("variable_global_get", variable_global_get, 1);
    RegisterBuiltin("variable_global_set", variable_global_set, 2);
    RegisterBuiltin("variable_instance_exists", variable_instance_exists, 2);
    RegisterBuiltin("variable_instance_get", variable_instance_get, 2);
    RegisterBuiltin("variable_instance_set", variable_instance_set, 3);
}

void RegisterResourceFunctions() {
    RegisterBuiltin("asset_get_index", asset_get_index, 1);
    RegisterBuiltin("script_execute", script_execute, BUILTIN_VARIADIC);
}

void RegisterMessageFunctions() {
    RegisterBuiltin("show_message", show_message, 1);
    RegisterBuiltin("show_error", show_error, 2);
    RegisterBuiltin("show_debug_message", show_debug_message, 1);
}
