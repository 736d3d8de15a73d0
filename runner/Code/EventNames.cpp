#include "Code/EventNames.h"

const char* EventTypeName(int32_t type) {
    static const char* const kNames[EVENT_TYPE_COUNT] = {
        "Create",   "Destroy", "Alarm",   "Step",       "Collision", "Keyboard", "Mouse",
        "Other",    "Draw",    "KeyPress", "KeyRelease", "Trigger",   "CleanUp",  "Gesture",
        "PreCreate",
    };
    return (type >= 0 && type < EVENT_TYPE_COUNT) ? kNames[type] : "Unknown";
}
