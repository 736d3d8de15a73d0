// Running an object's event handler on an instance: the filter while a room change is pending,
// the nesting limit, and the current-event state that handlers read (`event_object`,
// `event_type`, `event_number`). Event passes walk the per-event object lists.
#pragma once

#include <cstdint>

#include "Code/GameConstants.h"
#include "Object/ObjectTable.h"
#include "Variable/CInstance.h"

// At most this many handlers run nested.
constexpr int32_t MAX_EVENT_DEPTH = 32;

struct CurrentEvent {
    int32_t object = -1; // the owner of the running handler
    int32_t type = 0;
    int32_t number = 0;
};

// Outside any event it keeps its last values. Inline and constant-initialised: every event
// dispatch sets it twice.
inline CurrentEvent& CurrentEventState() {
    static constinit CurrentEvent state;
    return state;
}

// Runs a handler found in an object's map with self and other, unless a pending room change or
// the nesting limit holds it back.
void RunHandler(CInstance* self, CInstance* other, const ObjectEvent* event, int32_t type, int32_t subtype);

// Runs the handler in an object's map for (type, subtype) with self and other. Inline, as most
// events an instance meets have no handler (creating and destroying one meets four): then it
// costs one look-up and no call.
inline void PerformEventObject(CInstance* self, CInstance* other, int32_t object_index, int32_t type,
                               int32_t subtype) {
    const CObject* object = Objects().Find(object_index);
    if (!object) return;
    if (const ObjectEvent* event = object->events.Find(type, subtype)) RunHandler(self, other, event, type, subtype);
}
// The same with self's own object.
inline void PerformEvent(CInstance* self, CInstance* other, int32_t type, int32_t subtype) {
    if (self) PerformEventObject(self, other, self->object_index, type, subtype);
}

// One pass over the objects listed for (type, subtype) and their instances; instances created
// during the pass are left for the next one.
void RunEventPass(int32_t type, int32_t subtype);
// The event for every live instance of the running room, in the room's order.
void PerformEventAll(int32_t type, int32_t subtype);

// The event calls that compiled game code makes by these names.
void event_inherited(CInstance* self, CInstance* other);
void event_user(CInstance* self, CInstance* other, int32_t number);
void event_perform(CInstance* self, CInstance* other, int32_t type, int32_t subtype);
