#include "Object/AsyncEvents.h"

#include <deque>
#include <memory>

#include "Base/RunnerState.h"
#include "Code/GameConstants.h"
#include "Object/EventDispatch.h"
#include "Support/CDS_Map.h"
#include "Support/DsOwnership.h"
#include "Support/DsState.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

struct AsyncEvent {
    int32_t subtype;
    AsyncDetails details;
};

std::deque<AsyncEvent>& Queue() {
    static std::deque<AsyncEvent> queue;
    return queue;
}

int32_t g_async_load = -1;

int32_t MakeDetailsMap(const AsyncDetails& details, const CDS_Map*& made) {
    auto map = std::make_unique<CDS_Map>();
    made = map.get();
    for (const auto& [key, value] : details) {
        ScopedRValue name, entry;
        MakeString(name, key);
        if (const double* number = std::get_if<double>(&value))
            SetReal(entry, *number);
        else
            MakeString(entry, std::get<std::string>(value));
        map->Set(name, entry);
    }
    DsLock lock(DsMutex());
    return DsMaps().Add(std::move(map));
}

bool GetAsyncLoad(CInstance*, int32_t, RValue* result) {
    SetReal(*result, g_async_load);
    return true;
}

} // namespace

void PostAsyncEvent(int32_t subtype, AsyncDetails details) {
    Queue().push_back({subtype, std::move(details)});
}

void RunAsyncEvents() {
    std::deque<AsyncEvent>& queue = Queue();
    while (!queue.empty() && Runner().pending_room == PENDING_NONE) {
        AsyncEvent event = std::move(queue.front());
        queue.pop_front();
        const CDS_Map* made = nullptr;
        g_async_load = MakeDetailsMap(event.details, made);
        RunEventPass(ev_other, event.subtype);
        // A handler may have destroyed the map, and its handle may name another map by now.
        DsLock lock(DsMutex());
        if (DsMaps().Find(g_async_load) == made) DestroyOwned({{DsKind::Map, g_async_load}});
        g_async_load = -1;
    }
}

void ClearAsyncEvents() {
    Queue().clear();
}

void RegisterAsyncVariables() {
    RegisterBuiltinVariable("async_load", GetAsyncLoad, nullptr);
}
