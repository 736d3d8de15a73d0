// What variable access costs compiled code: reading and writing slots through an object's
// variable map, the runtime read by id, and creating variables on a fresh object.
#include <benchmark/benchmark.h>

#include "Code/ValueArray.h"
#include "Variable/GenericObjectPool.h"
#include "Variable/VariableAccess.h"
#include "Variable/VariableId.h"

namespace {

constexpr int32_t GAME_VARIABLES = 183; // as many as the game declares

KxObjectBase* ObjectWithAllVariables() {
    KxObjectBase* object = GenericObjects().Create(GAME_VARIABLES);
    for (int32_t slot = 0; slot < GAME_VARIABLES; ++slot)
        SetReal(*object->FindOrCreateVariable(slot), slot);
    return object;
}

void BM_ReadSlots(benchmark::State& state) {
    KxObjectBase* object = ObjectWithAllVariables();
    for (auto _ : state) {
        double sum = 0;
        for (int32_t slot = 0; slot < GAME_VARIABLES; ++slot)
            sum += object->FindOrCreateVariable(slot)->val;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * GAME_VARIABLES);
    GenericObjects().Release(object);
}
BENCHMARK(BM_ReadSlots);

void BM_WriteSlots(benchmark::State& state) {
    KxObjectBase* object = ObjectWithAllVariables();
    const RValue value = RealValue(2.5);
    for (auto _ : state) {
        for (int32_t slot = 0; slot < GAME_VARIABLES; ++slot)
            AssignValue(*object->FindOrCreateVariable(slot), value, ARRAY_INDEX_NONE);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * GAME_VARIABLES);
    GenericObjects().Release(object);
}
BENCHMARK(BM_WriteSlots);

void BM_GetVariableDirect(benchmark::State& state) {
    KxObjectBase* object = ObjectWithAllVariables();
    ScopedRValue result;
    for (auto _ : state) {
        for (int32_t slot = 0; slot < GAME_VARIABLES; ++slot) {
            GetVariableDirect(object, GameVariableId(slot), ARRAY_INDEX_NONE, result);
            benchmark::DoNotOptimize(result);
        }
    }
    state.SetItemsProcessed(state.iterations() * GAME_VARIABLES);
    GenericObjects().Release(object);
}
BENCHMARK(BM_GetVariableDirect);

// Every variable is new: the object comes from the free list, its map is created and grows
// to 512 entries, and the cells go back to the pool at the end.
void BM_CreateFreshVariables(benchmark::State& state) {
    for (auto _ : state) {
        KxObjectBase* object = GenericObjects().Create(GAME_VARIABLES);
        for (int32_t slot = 0; slot < GAME_VARIABLES; ++slot)
            benchmark::DoNotOptimize(object->FindOrCreateVariable(slot));
        GenericObjects().Release(object);
    }
    state.SetItemsProcessed(state.iterations() * GAME_VARIABLES);
}
BENCHMARK(BM_CreateFreshVariables);

} // namespace
