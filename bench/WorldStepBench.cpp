// What the object model costs per frame: the step work of one frame (Begin Step, alarms, Step,
// motion, End Step, with the instance update and deferred work the frame loop does around
// them) over rooms of 1,000 to 100,000 moving instances of five objects whose step handlers
// each touch two instance variables; the same walks with no handler, to show what the
// machine's memory costs them as the room grows; and making and destroying a batch of 10,000
// instances.
// Each benchmark run writes, loads and starts the game and fills its room before timing, and
// frees it all before returning: the runner's pools must outlive the instances. The step runs
// also print the heap bytes each live instance holds, counted by the pools: its block in the
// instance pool, its flat variable cells and any variable map.
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "Object/EventDispatch.h"
#include "Object/EventPass.h"
#include "Object/InstanceLifecycle.h"
#include "Object/InstanceStep.h"
#include "Object/Motion.h"
#include "Variable/CellArrays.h"
#include "Variable/InstancePool.h"

namespace {

constexpr int32_t kObjectCount = 5;
constexpr int32_t kBatch = 10'000;
constexpr int32_t SLOT_ticks = 0;
constexpr int32_t SLOT_total = 1;

// The trivial handler every step event of every object runs.
void TouchTwoVariables(CInstance* self, CInstance*) {
    Var(self, SLOT_ticks) += 1;
    Var(self, SLOT_total) += Var(self, SLOT_ticks);
}

// One room and five objects with Begin Step, Step and End Step handlers.
class StepWorld : public BenchWorld {
public:
    StepWorld() : BenchWorld("WorldStepBench") {
        for (int32_t o = 0; o < kObjectCount; ++o) {
            const int32_t object = AddObject("oMover" + std::to_string(o));
            for (int32_t subtype : {ev_step_begin, ev_step_normal, ev_step_end})
                AddEvent(object, ev_step, subtype, TouchTwoVariables);
        }
        AddRoom("rmField", 1920, 1080);
        Start(2);
    }

    // Adds `count` instances, spread evenly over the objects, moving in directions and at
    // speeds that differ from one to the next.
    void Populate(int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            CInstance* instance =
                CreateInstance(float(i % 1920), float(i / 1920 % 1080), 0, i % kObjectCount);
            Assign(Var(instance, SLOT_ticks), Value(0));
            Assign(Var(instance, SLOT_total), Value(0));
            instance->speed = float(1 + i % 4);
            instance->direction = float(i * 37 % 360);
            MotionFromPolar(*instance);
        }
        ClearOutput();
    }
};

// Heap bytes per live instance: instance blocks and cell arrays handed out by their pools, and
// the variable maps of the room's instances.
double BytesPerInstance() {
    const auto instances = CurrentRoom()->active.View();
    uint64_t bytes = InstanceBytesInUse() + CellBytesInUse();
    for (const CInstance* instance : instances) bytes += instance->MapBytes();
    return double(bytes) / double(instances.size());
}

// The step stages of FrameLoop::DoStep, each preceded by the deferred work its stage runs.
void StepFrame() {
    DoDeferredWork();
    UpdateInstances();
    DoDeferredWork();
    RunEventPass(ev_step, ev_step_begin);
    DoDeferredWork();
    RunAlarms();
    DoDeferredWork();
    RunEventPass(ev_step, ev_step_normal);
    DoDeferredWork();
    MoveInstances();
    DoDeferredWork();
    RunEventPass(ev_step, ev_step_end);
    DoDeferredWork();
}

// The step's walks alone, over the same instances: the fields each stage reads and writes,
// with no dispatch and no handler call. How this grows from 10,000 to 100,000 instances is what
// the machine's memory allows any step over this layout; the full step adds the same cost per
// instance at both sizes, which makes its ratio smaller.
void WalksOnlyFrame() {
    CRoom* room = CurrentRoom();
    room->active.ForEach([](CInstance* instance) {
        if (!instance->IsLive()) return;
        instance->xprevious = instance->x;
        instance->yprevious = instance->y;
        instance->image_index += instance->image_speed;
    });
    const auto touch = [](const CObject&, CInstance* instance) { TouchTwoVariables(instance, instance); };
    ForEachListedInstance(ev_step, ev_step_begin, touch);
    ForEachListedInstance(ev_step, ev_step_normal, touch);
    room->active.ForEach([](CInstance* instance) {
        if (instance->IsLive()) instance->MoveTo(instance->x + instance->hspeed, instance->y + instance->vspeed);
    });
    ForEachListedInstance(ev_step, ev_step_end, touch);
}

// Times `frame` over a room of state.range(0) instances.
void TimeFrames(benchmark::State& state, void (*frame)()) {
    StepWorld world;
    if (!world.Error().empty()) {
        state.SkipWithError(world.Error().c_str());
        return;
    }
    const auto count = int32_t(state.range(0));
    world.Populate(count);
    CInstance* watched = CurrentRoom()->active.View().back();
    const double ticks_before = Var(watched, SLOT_ticks).val;
    const float x_before = watched->x;
    for (auto _ : state)
        frame();
    // A pass that ran nothing would look fast: each frame must touch the variables three times
    // and move.
    if (Var(watched, SLOT_ticks).val != ticks_before + 3.0 * double(state.iterations()) ||
        watched->x == x_before)
        state.SkipWithError("the handlers or the motion did not run");
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["per_instance"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["bytes_per_instance"] = BytesPerInstance();
}

void BM_StepFrame(benchmark::State& state) { TimeFrames(state, StepFrame); }
BENCHMARK(BM_StepFrame)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

void BM_WalksOnly(benchmark::State& state) { TimeFrames(state, WalksOnlyFrame); }
BENCHMARK(BM_WalksOnly)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// Argument: instances already in the room, which the removal sweeps walk past.
void BM_CreateDestroyBatch(benchmark::State& state) {
    StepWorld world;
    if (!world.Error().empty()) {
        state.SkipWithError(world.Error().c_str());
        return;
    }
    world.Populate(int32_t(state.range(0)));
    std::vector<CInstance*> batch(kBatch);
    for (auto _ : state) {
        for (int32_t i = 0; i < kBatch; ++i)
            batch[size_t(i)] = CreateInstance(float(i % 1920), 0, 0, i % kObjectCount);
        for (CInstance* instance : batch)
            DestroyInstance(instance, true);
        RemoveMarkedInstances();
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
    state.counters["per_instance"] = benchmark::Counter(
        kBatch, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CreateDestroyBatch)
    ->ArgName("present")
    ->Arg(0)
    ->Arg(10'000)
    ->Unit(benchmark::kMicrosecond);

} // namespace
