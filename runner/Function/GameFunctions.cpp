// Built-ins of the game as a whole: ending and restarting it, its command-line parameters,
// the frame-pacing margin, and the frame-rate and step-time variables.
#include "Function/BuiltinGroups.h"

#include "Base/RunnerState.h"
#include "Code/Builtins.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

void game_end(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    RunnerState& runner = Runner();
    if (argc > 0) runner.exit_code = ArgInt32(args, 0);
    runner.pending_room = PENDING_END_GAME;
    FreeValue(result);
}

void game_restart(RValue& result, CInstance*, CInstance*, int, RValue*) {
    Runner().pending_room = PENDING_RESTART_GAME;
    FreeValue(result);
}

void display_set_sleep_margin(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    Runner().sleep_margin_ms = ArgInt32(args, 0);
    FreeValue(result);
}

void parameter_count(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, static_cast<double>(Runner().parameters.size()));
}

void parameter_string(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const std::vector<std::string>& parameters = Runner().parameters;
    int32_t index = ArgInt32(args, 0);
    bool exists = index >= 0 && static_cast<size_t>(index) < parameters.size();
    MakeString(result, exists ? std::string_view(parameters[static_cast<size_t>(index)]) : std::string_view());
}

bool GetFps(CInstance*, int32_t, RValue* result) {
    SetReal(*result, Runner().fps);
    return true;
}

bool GetUndefined(CInstance*, int32_t, RValue* result) {
    FreeValue(*result);
    *result = UndefinedValue();
    return true;
}

bool GetDeltaTime(CInstance*, int32_t, RValue* result) {
    SetReal(*result, static_cast<double>(Runner().delta_time_us));
    return true;
}

} // namespace

void RegisterGameFunctions() {
    RegisterBuiltin("game_end", game_end, BUILTIN_VARIADIC);
    RegisterBuiltin("game_restart", game_restart, 0);
    RegisterBuiltin("display_set_sleep_margin", display_set_sleep_margin, 1);
    RegisterBuiltin("parameter_count", parameter_count, 0);
    RegisterBuiltin("parameter_string", parameter_string, 1);
}

void RegisterGameVariables() {
    RegisterBuiltinVariable("fps", GetFps, nullptr);
    RegisterBuiltinVariable("delta_time", GetDeltaTime, nullptr);
    RegisterBuiltinVariable("undefined", GetUndefined, nullptr);
}
