// What the test games' handlers saw: one line per handler run, "<object> <id> <event>", with
// the event as its type name and subtype (Step1, Other4, ...), in the order they ran.
#pragma once

#include <string>
#include <vector>

#include "Code/EventNames.h"
#include "Object/EventDispatch.h"
#include "Object/ObjectTable.h"
#include "Variable/CInstance.h"

inline std::vector<std::string>& EventTrace() {
    static std::vector<std::string> trace;
    return trace;
}

inline std::string TraceLine(const CInstance* self, const std::string& what) {
    const CObject* object = Objects().Find(self->object_index);
    return (object ? std::string(object->name) : "?") + " " + std::to_string(self->id) + " " + what;
}

// A handler that only records that it ran.
inline void Traced(CInstance* self, CInstance*) {
    const CurrentEvent& event = CurrentEventState();
    EventTrace().push_back(TraceLine(self, EventTypeName(event.type) + std::to_string(event.number)));
}
