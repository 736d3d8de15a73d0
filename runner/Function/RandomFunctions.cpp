// The random built-ins over the runner's generator.
#include "Function/RandomFunctions.h"

#include "Code/Builtins.h"
#include "Code/NumberText.h"
#include "Function/BuiltinGroups.h"
#include "IO/InputReplay.h"
#include "Platform/RunnerClock.h"
#include "Variable/BuiltinArgs.h"

namespace {

int64_t ArgInt64(const RValue* args, int index) { return TruncToInt64(ArgReal(args, index)); }

void random_set_seed(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    RunnerRandom().SetSeed(int32_t(RunnerReplay().Seed(uint32_t(ArgInt32(args, 0)))));
    FreeValue(result);
}
void random_get_seed(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, RunnerRandom().Seed());
}
void randomize(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, RandomizeFromClock());
}
void random(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, RunnerRandom().Random(ArgReal(args, 0)));
}
void random_range(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, RunnerRandom().RandomRange(ArgReal(args, 0), ArgReal(args, 1)));
}
void irandom(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, static_cast<double>(RunnerRandom().IRandom(ArgInt64(args, 0))));
}
void irandom_range(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, static_cast<double>(RunnerRandom().IRandomRange(ArgInt64(args, 0), ArgInt64(args, 1))));
}
void choose(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    int chosen = RunnerRandom().ChooseIndex(argc);
    if (chosen < 0) SetReal(result, 0);
    else CopyValue(result, args[chosen]);
}
void random_use_old_version(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    RunnerRandom().UseOldVersion(ArgReal(args, 0) >= 1);
    FreeValue(result);
}

} // namespace

RandomGenerator& RunnerRandom() {
    static RandomGenerator generator;
    return generator;
}

// A recording keeps the clock's seed; its replay seeds with that instead of the clock.
uint32_t RandomizeFromClock() {
    const uint32_t clock_seed = RunnerRandom().Randomize(Timing_Time(), Timing_Origin());
    const uint32_t seed = RunnerReplay().Seed(clock_seed);
    RunnerRandom().SetSeed(int32_t(seed));
    return seed;
}

void RegisterRandomFunctions() {
    RegisterBuiltin("random_set_seed", random_set_seed, 1);
    RegisterBuiltin("random_get_seed", random_get_seed, 0);
    RegisterBuiltin("randomize", randomize, 0);
    RegisterBuiltin("random", random, 1);
    RegisterBuiltin("random_range", random_range, 2);
    RegisterBuiltin("irandom", irandom, 1);
    RegisterBuiltin("irandom_range", irandom_range, 2);
    RegisterBuiltin("choose", choose, BUILTIN_VARIADIC);
    RegisterBuiltin("random_use_old_version", random_use_old_version, 1);
}
