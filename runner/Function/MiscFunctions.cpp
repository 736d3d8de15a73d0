// Built-ins that reach the runner's other services: variables by name, asset names, and the
// player-facing messages.
#include "Function/BuiltinGroups.h"

#include "Code/BuiltinArgs.h"
#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Code/ValueText.h"
#include "IO/InputState.h"
#include "Platform/MessageDialog.h"
#include "Runner/AssetNames.h"
#include "Runner/RunnerState.h"
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

void show_message(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    ActiveMessageDialog().ShowMessage(Runner().caption, ValueText(args[0]));
    // Keys held while the box was up must not read as held after it.
    ClearInput();
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

void RegisterResourceFunctions() { RegisterBuiltin("asset_get_index", asset_get_index, 1); }

void RegisterMessageFunctions() {
    RegisterBuiltin("show_message", show_message, 1);
    RegisterBuiltin("show_error", show_error, 2);
}
