// What collisions cost, with fast collision (the grid) and without (walking the lists):
// - a 16x16 rectangle query and a place query (every instance met, as instance_place_list
//   asks) against 1,000 or 10,000 instances of one object, 16x16 boxes scattered over a
//   3840x3840 room: at 10,000 about three instances per 64-pixel cell, a busy level;
// - one frame's motion and collision events over 1,000 or 10,000 instances of ten objects, all
//   moving, in the same room, four pairs of objects answering each other with counting
//   handlers; motion alone is measured beside it to tell the two apart.
// Query places and instance positions are random but fixed, so both modes see the same scene
// and must find the same instances; the counters show it. The rectangle query is measured
// both called directly and through the built-in registry.
#include <benchmark/benchmark.h>
#include <random>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "Object/CollisionEvents.h"
#include "Object/CollisionWorld.h"
#include "Object/InstanceLifecycle.h"
#include "Object/InstanceStep.h"
#include "Object/Motion.h"

namespace {

constexpr int32_t kRoomSize = 3840;
constexpr int32_t kSpriteSize = 16;
constexpr int32_t kObjectCount = 10;
constexpr size_t kQueryCount = 4096; // a power of two: the loop wraps with a mask
// Every instance turns back after this many frames, so the scene keeps its density however
// long the benchmark runs.
constexpr int64_t kFramesPerLeg = 60;
constexpr int64_t kCheckFrames = 10;
// The function classification of game code that needs collision events from the pair walk.
constexpr uint64_t kNeedsPairWalk = uint64_t(1) << 57;

int64_t g_handler_calls = 0;

void CountCall(CInstance*, CInstance*) {
    ++g_handler_calls;
}

struct Place {
    double x, y;
};

// Top-left corners where a 16x16 box lies wholly inside the room.
std::vector<Place> RandomPlaces(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> along(0, kRoomSize - kSpriteSize);
    std::vector<Place> places(count);
    for (Place& place : places)
        place = {along(random), along(random)};
    return places;
}

// Ten objects sharing one 16x16 box sprite in one large room. The package asks for fast
// collision, and leaves collision events free to go through the grid. A package of a new
// project always gets fast collision at load, so without `fast` the walk is put back by hand
// once the room has started, as the collision tests do.
class CollisionScene : public BenchWorld {
public:
    CollisionScene(bool fast, bool with_handlers) : BenchWorld("CollisionBench") {
        Package().options.flags =
            package::kOptionFastCollision | package::kOptionFastCollisionCompatibility;
        Package().header.function_classifications &= ~kNeedsPairWalk;
        const int32_t sprite = AddBoxSprite("sBlock", kSpriteSize, kSpriteSize);
        for (int32_t o = 0; o < kObjectCount; ++o)
            AddObject("oThing" + std::to_string(o), sprite);
        if (with_handlers) {
            // A triangle of three objects and one more pair; the other five only move.
            AddEvent(0, ev_collision, 1, CountCall);
            AddEvent(1, ev_collision, 2, CountCall);
            AddEvent(2, ev_collision, 0, CountCall);
            AddEvent(3, ev_collision, 4, CountCall);
        }
        AddRoom("rmLevel", kRoomSize, kRoomSize);
        if (!Start(0)) return;
        if (!FastCollision() || !Runner().collision_events_through_grid)
            Fail("the package did not turn on fast collision");
        if (!fast) {
            SetFastCollision(false);
            Runner().collision_events_through_grid = false;
            PrepareCollisionEvents(false);
        }
    }

    // `count` instances at random places, the i-th of object i % objects, each moving at 1 to
    // 3 pixels a frame in its own direction.
    void Scatter(int32_t count, int32_t objects) {
        const std::vector<Place> places = RandomPlaces(size_t(count), 1234);
        std::mt19937 random(5678);
        std::uniform_real_distribution<float> speed(1, 3), direction(0, 360);
        for (int32_t i = 0; i < count; ++i) {
            const Place& place = places[size_t(i)];
            CInstance* instance = CreateInstance(float(place.x), float(place.y), 0, i % objects);
            instance->speed = speed(random);
            instance->direction = direction(random);
            MotionFromPolar(*instance);
        }
        ClearOutput();
    }

    static void TurnBack() {
        for (CInstance* instance : CurrentRoom()->active.View()) {
            instance->hspeed = -instance->hspeed;
            instance->vspeed = -instance->vspeed;
        }
    }
};

// Times `query(place)`, which returns how many instances it found, over the pre-generated
// places. The counter is taken from one untimed pass over all of them: it is the same in both
// modes when the grid answers as the walk does.
template <typename Query>
void TimeQueries(benchmark::State& state, Query query) {
    const std::vector<Place> places = RandomPlaces(kQueryCount, 42);
    int64_t found = 0;
    for (const Place& at : places)
        found += query(at);
    size_t next = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(query(places[next++ & (kQueryCount - 1)]));
    state.counters["found_per_query"] = double(found) / double(kQueryCount);
}

// Arguments: instances of the target object, and 1 for fast collision.
void BM_CollisionRectangle(benchmark::State& state) {
    CollisionScene scene(state.range(1) != 0, false);
    if (!scene.Error().empty()) return state.SkipWithError(scene.Error().c_str());
    scene.Scatter(int32_t(state.range(0)), 1);
    TimeQueries(state, [](const Place& at) {
        return int64_t(CollisionRectangle(nullptr, nullptr, at.x, at.y, at.x + kSpriteSize - 1,
                                          at.y + kSpriteSize - 1, 0, true, false) != nullptr);
    });
}

// The same query through the built-in registry, as compiled code calls it.
void BM_CollisionRectangleBuiltin(benchmark::State& state) {
    CollisionScene scene(state.range(1) != 0, false);
    if (!scene.Error().empty()) return state.SkipWithError(scene.Error().c_str());
    const int32_t builtin = FindBuiltin("collision_rectangle");
    if (builtin < 0) return state.SkipWithError("collision_rectangle is not registered");
    scene.Scatter(int32_t(state.range(0)), 1);
    // x1, y1, x2, y2, object, precise, not me
    RValue args[7] = {RealValue(0), RealValue(0), RealValue(0), RealValue(0),
                      RealValue(0), RealValue(1), RealValue(0)};
    RValue* argv[7];
    for (size_t i = 0; i < 7; ++i)
        argv[i] = &args[i];
    ScopedRValue result;
    TimeQueries(state, [&](const Place& at) {
        args[0].val = at.x;
        args[1].val = at.y;
        args[2].val = at.x + kSpriteSize - 1;
        args[3].val = at.y + kSpriteSize - 1;
        CallBuiltin(nullptr, nullptr, result, 7, builtin, argv);
        return int64_t(result.val != noone);
    });
}

// A 16x16 instance of another object tried at each place against every instance of the
// target, all of them gathered.
void BM_InstancesAtPlace(benchmark::State& state) {
    CollisionScene scene(state.range(1) != 0, false);
    if (!scene.Error().empty()) return state.SkipWithError(scene.Error().c_str());
    scene.Scatter(int32_t(state.range(0)), 1);
    CInstance* probe = CreateInstance(0, 0, 0, 1);
    TimeQueries(state, [probe](const Place& at) {
        return int64_t(InstancesAtPlace(probe, nullptr, at.x, at.y, 0, false).size());
    });
    if (probe->x != 0 || probe->y != 0) state.SkipWithError("the probe was not put back");
}

// Arguments: instances spread over the ten objects, and 1 for fast collision. Each iteration
// is one frame: motion, then the collision events. The counter comes from the first frames,
// untimed: the same in both modes when both run the same events.
void BM_CollisionFrame(benchmark::State& state) {
    CollisionScene scene(state.range(1) != 0, true);
    if (!scene.Error().empty()) return state.SkipWithError(scene.Error().c_str());
    scene.Scatter(int32_t(state.range(0)), kObjectCount);
    RunCollisionEvents(); // entering the room is not a frame's work
    g_handler_calls = 0;
    for (int64_t frame = 0; frame < kCheckFrames; ++frame) {
        MoveInstances();
        RunCollisionEvents();
    }
    if (g_handler_calls == 0) return state.SkipWithError("no collision handler ran");
    state.counters["handlers_per_frame"] = double(g_handler_calls) / double(kCheckFrames);
    int64_t frame = kCheckFrames;
    for (auto _ : state) {
        MoveInstances();
        RunCollisionEvents();
        if (++frame % kFramesPerLeg == 0) {
            state.PauseTiming();
            CollisionScene::TurnBack();
            state.ResumeTiming();
        }
    }
}

// The motion of BM_CollisionFrame alone. With fast collision moving only queues the instance
// for the grid: the grid catches up at the start of the collision events.
void BM_MotionOnly(benchmark::State& state) {
    CollisionScene scene(state.range(1) != 0, true);
    if (!scene.Error().empty()) return state.SkipWithError(scene.Error().c_str());
    scene.Scatter(int32_t(state.range(0)), kObjectCount);
    int64_t frame = 0;
    for (auto _ : state) {
        MoveInstances();
        if (++frame % kFramesPerLeg == 0) {
            state.PauseTiming();
            CollisionScene::TurnBack();
            state.ResumeTiming();
        }
    }
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"instances", "fast"})->Unit(benchmark::kMicrosecond);
    for (int64_t count : {1'000, 10'000})
        for (int64_t fast : {0, 1})
            benchmark->Args({count, fast});
}

BENCHMARK(BM_CollisionRectangle)->Apply(Sizes);
BENCHMARK(BM_CollisionRectangleBuiltin)->Apply(Sizes);
BENCHMARK(BM_InstancesAtPlace)->Apply(Sizes);
BENCHMARK(BM_CollisionFrame)->Apply(Sizes);
BENCHMARK(BM_MotionOnly)->Apply(Sizes);

} // namespace
