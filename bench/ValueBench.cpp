// What every line of game code pays for: copying values, arithmetic, comparison and array
// element access.
#include <benchmark/benchmark.h>

#include "Code/ValueArray.h"
#include "Code/ValueCompare.h"
#include "Code/ValueOperators.h"

namespace {

void BM_CopyNumber(benchmark::State& state) {
    ScopedRValue source(RealValue(1.5));
    ScopedRValue target;
    for (auto _ : state) {
        CopyValue(target, source);
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(BM_CopyNumber);

void BM_CopyString(benchmark::State& state) {
    ScopedRValue source;
    MakeString(source, "Merry Snowtide!");
    ScopedRValue target;
    for (auto _ : state) {
        CopyValue(target, source); // releases the previous share, takes a new one
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(BM_CopyString);

void BM_AssignVariable(benchmark::State& state) {
    ScopedRValue source;
    MakeString(source, "checkpoint");
    ScopedRValue slot(RealValue(0));
    for (auto _ : state) {
        AssignValue(slot, source, ARRAY_INDEX_NONE);
        AssignValue(slot, RealValue(3), ARRAY_INDEX_NONE);
        benchmark::DoNotOptimize(slot);
    }
}
BENCHMARK(BM_AssignVariable);

void BM_AddNumbers(benchmark::State& state) {
    ScopedRValue sum(RealValue(0));
    ScopedRValue step(RealValue(0.25));
    for (auto _ : state) {
        OpAddAssign(sum, step);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_AddNumbers);

void BM_AddStrings(benchmark::State& state) {
    ScopedRValue a;
    MakeString(a, "Fluffy ");
    ScopedRValue b;
    MakeString(b, "New Year!");
    ScopedRValue result;
    for (auto _ : state) {
        OpAdd(result, a, b);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_AddStrings);

void BM_CompareNumbers(benchmark::State& state) {
    ScopedRValue a(RealValue(0.1 + 0.2));
    ScopedRValue b(RealValue(0.3));
    for (auto _ : state) benchmark::DoNotOptimize(CompareForCode(a, b));
}
BENCHMARK(BM_CompareNumbers);

void BM_CompareStrings(benchmark::State& state) {
    ScopedRValue a;
    MakeString(a, "rmSnow");
    ScopedRValue b;
    MakeString(b, "rmPink");
    for (auto _ : state) benchmark::DoNotOptimize(CompareForCode(a, b));
}
BENCHMARK(BM_CompareStrings);

void BM_ArrayElementRead(benchmark::State& state) {
    ScopedRValue array;
    for (int i = 0; i < 64; ++i) AssignValue(array, RealValue(i), i);
    int32_t index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ArrayElementRef(array, index)->val);
        index = (index + 1) & 63;
    }
}
BENCHMARK(BM_ArrayElementRead);

void BM_ArrayElementWrite(benchmark::State& state) {
    ScopedRValue array;
    for (int i = 0; i < 64; ++i) AssignValue(array, RealValue(i), i);
    ScopedRValue value(RealValue(7));
    int32_t index = 0;
    for (auto _ : state) {
        AssignValue(array, value, index);
        index = (index + 1) & 63;
    }
    benchmark::DoNotOptimize(array);
}
BENCHMARK(BM_ArrayElementWrite);

void BM_ArrayAppend1000(benchmark::State& state) {
    for (auto _ : state) {
        ScopedRValue array;
        for (int i = 0; i < 1000; ++i) *ArrayElementForWrite(array, i) = RealValue(i);
        benchmark::DoNotOptimize(array);
    }
}
BENCHMARK(BM_ArrayAppend1000);

} // namespace
