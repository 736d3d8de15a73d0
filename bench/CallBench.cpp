// The cost of the calls compiled code makes: a built-in through the registry by its resolved
// index, and a script called directly with its frame record.
#include <benchmark/benchmark.h>

#include "Runner/GameApi.h"

namespace {

void add_one(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, ToReal(args[0]) + 1);
}

RValue* psl_Script_add_one(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_add_one", result);
    frame.Line(1);
    CopyValue(*result, Argument(argc, argv, 0) + 1);
    return result;
}

void BM_BuiltinCallByIndex(benchmark::State& state) {
    ClearBuiltins();
    RegisterBuiltin("add_one", add_one, 1);
    FunctionPair pair{"add_one", FindFunction("add_one")};
    Value x = 1;
    for (auto _ : state) benchmark::DoNotOptimize(Call(nullptr, nullptr, pair, x));
    ClearBuiltins();
}
BENCHMARK(BM_BuiltinCallByIndex);

void BM_ScriptCallWithFrame(benchmark::State& state) {
    Value x = 1;
    for (auto _ : state) benchmark::DoNotOptimize(CallScript(psl_Script_add_one, nullptr, nullptr, x));
}
BENCHMARK(BM_ScriptCallWithFrame);

} // namespace
