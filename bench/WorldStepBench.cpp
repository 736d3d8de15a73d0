// What the object model costs per frame: the step work of one frame (Begin Step, alarms, Step,
// motion, End Step, with the instance update and deferred work the frame loop does around
// them) over rooms of 1,000 to 100,000 moving instances of five objects whose step handlers
// each touch two instance variables; and making and destroying a batch of 10,000 instances.
// Each benchmark run writes, loads and starts the game and fills its room before timing, and
// frees it all before returning: the runner's pools must outlive the instances.
#include <benchmark/benchmark.h>
#include <deque>
#include <string>
#include <vector>

#include "Code/Builtins.h"
#include "Code/EventNames.h"
#include "Code/GameApi.h"
#include "Function/BuiltinGroups.h"
#include "Object/EventDispatch.h"
#include "Object/InstanceLifecycle.h"
#include "Object/InstanceStep.h"
#include "Object/Motion.h"
#include "PackageWriter.h"
#include "Room/RoomFlow.h"
#include "Runner/GameWorld.h"
#include "Runner/OutputChannel.h"
#include "Runner/Package/PackageLoader.h"
#include "Runner/RunnerState.h"

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

// One room and five objects with Begin Step, Step and End Step handlers, loaded through the
// real loader and started, with the runner's output captured so it does not mix with the table.
class BenchWorld {
public:
    BenchWorld() {
        DebugOutput().CaptureTo(&output_);
        ErrorOutput().CaptureTo(&output_);
        Runner() = RunnerState{};
        RegisterGameConstants();
        RegisterBuiltinVariables();

        package_.header.game_name = Text("WorldStepBench");
        package_.header.last_instance_id = 100000;
        package_.header.game_speed = 60;
        for (int32_t o = 0; o < kObjectCount; ++o) {
            PackageObject object;
            object.name = Text("oMover" + std::to_string(o));
            object.parent_index = -1;
            for (int32_t subtype : {ev_step_begin, ev_step_normal, ev_step_end})
                object.events[{ev_step, subtype}] =
                    AddCode("psl_Object_" + std::string(object.name) + "_" +
                            EventTypeName(ev_step) + "_" + std::to_string(subtype));
            package_.objects.emplace_back(object);
        }
        PackageRoom room;
        room.name = Text("rmField");
        room.width = 1920;
        room.height = 1080;
        room.speed = 60;
        package_.rooms.emplace_back(room);
        package_.header.room_order.push_back(0);

        GameLink link;
        link.instance_count = 2;
        link.code = code_table_.data();
        link.code_count = int32_t(code_table_.size());
        LinkGame(link);
        PackageStatus status = loader_.Open(WritePackage(package_), "bench_world.win");
        if (status) status = loader_.ReadHeader();
        if (status) status = loader_.LoadGameData();
        if (!status) {
            error_ = status.error;
            return;
        }
        PrepareGameObjects(loader_.Package());
        PrepareGameRooms(loader_.Package());
        Runner().running = true;
        StartGame();
        if (!CurrentRoom() || Runner().pending_room != PENDING_NONE)
            error_ = "the room did not start";
    }

    ~BenchWorld() {
        ReleaseGameWorld();
        ResetVariables();
        ClearBuiltins();
        Runner() = RunnerState{};
        DebugOutput().Reset();
        ErrorOutput().Reset();
    }

    // Empty when the world runs; else why not.
    const std::string& Error() const { return error_; }

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
        output_.clear();
    }

private:
    std::string_view Text(std::string text) { return texts_.emplace_back(std::move(text)); }

    int32_t AddCode(const std::string& name) {
        std::string_view stored = Text(name);
        package_.code.push_back({stored, {}, 0, 0});
        code_table_.push_back({stored.data(), nullptr, TouchTwoVariables});
        return int32_t(package_.code.size() - 1);
    }

    std::string output_;
    std::string error_;
    std::deque<std::string> texts_;
    std::vector<CodeEntry> code_table_;
    GamePackage package_;
    PackageLoader loader_; // the rooms keep pointing into its package
};

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

void BM_StepFrame(benchmark::State& state) {
    BenchWorld world;
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
        StepFrame();
    // A pass that ran nothing would look fast: each frame must run three handlers and move.
    if (Var(watched, SLOT_ticks).val != ticks_before + 3.0 * double(state.iterations()) ||
        watched->x == x_before)
        state.SkipWithError("the handlers or the motion did not run");
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["per_instance"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StepFrame)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// Argument: instances already in the room, which the removal sweeps walk past.
void BM_CreateDestroyBatch(benchmark::State& state) {
    BenchWorld world;
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
