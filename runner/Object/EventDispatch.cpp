// Event dispatch and the list-driven event passes.
#include "Object/EventDispatch.h"

#include "Base/RunnerState.h"
#include "Code/CodeTable.h"
#include "Code/RunningCode.h"
#include "Code/RuntimeError.h"
#include "Object/EventPass.h"
#include "Object/ObjectTable.h"
#include "Room/RunningRooms.h"
#include "Variable/CInstance.h"

namespace {

int32_t g_depth = 0;

// While a room change is pending only the events that tidy up or carry state across run, and
// only where something survives the change.
bool RunsWhileRoomChanges(const CInstance& self, int32_t type) {
    const CRoom* room = CurrentRoom();
    if (!self.Has(INSTANCE_FLAG_PERSISTENT) && !(room && room->persistent)) return false;
    return type == ev_create || type == ev_pre_create || type == ev_destroy ||
           type == ev_alarm || type == ev_other;
}

} // namespace

void RunHandler(CInstance* self, CInstance* other, const ObjectEvent* event, int32_t type, int32_t subtype) {
    if (!self || !event) return;
    if (Runner().pending_room != PENDING_NONE && !RunsWhileRoomChanges(*self, type)) return;
    if (++g_depth > MAX_EVENT_DEPTH) {
        --g_depth;
        ShowError("PerformEvent recursion depth failure - check for infinite loops, check objects "
                  "for parenting",
                  false);
        return;
    }
    CurrentEvent& current = CurrentEventState();
    const CurrentEvent saved = current;
    current = {event->owner_index, type, subtype};
    {
        RunningCodeScope running({RunningCode::Kind::ObjectEvent, event->code->name, event->owner_name, type, subtype, 0});
        event->code->event(self, other);
    }
    current = saved;
    --g_depth;
}

void RunEventPass(int32_t type, int32_t subtype) {
    // Every listed object has the handler: find it once per object, not once per instance.
    const CObject* last_object = nullptr;
    const ObjectEvent* event = nullptr;
    ForEachListedInstance(type, subtype, [&](const CObject& object, CInstance* instance) {
        if (&object != last_object) {
            last_object = &object;
            event = object.events.Find(type, subtype);
        }
        RunHandler(instance, instance, event, type, subtype);
    });
}

void PerformEventAll(int32_t type, int32_t subtype) {
    CRoom* room = CurrentRoom();
    if (!room) return;
    room->active.ForEach([&](CInstance* instance) {
        if (instance->IsLive()) PerformEvent(instance, instance, type, subtype);
    });
}

// The game API's direct forms.

void event_inherited(CInstance* self, CInstance* other) {
    const CObject* owner = Objects().Find(CurrentEventState().object);
    if (!owner || !owner->parent) return;
    const CurrentEvent& current = CurrentEventState();
    PerformEventObject(self, other, owner->parent->index, current.type, current.number);
}

void event_user(CInstance* self, CInstance* other, int32_t number) {
    PerformEvent(self, other, ev_other, ev_user0 + number);
}

void event_perform(CInstance* self, CInstance* other, int32_t type, int32_t subtype) {
    PerformEvent(self, other, type, subtype);
}
