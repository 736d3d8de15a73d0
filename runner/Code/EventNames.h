// The names of the event types as compiled handlers carry them (psl_Object_oChar_Step_0).
#pragma once

#include <cstdint>

constexpr int32_t EVENT_TYPE_COUNT = 15;

// "Create", "Destroy", "Alarm", "Step", ... "PreCreate"; "Unknown" outside 0 to 14.
const char* EventTypeName(int32_t type);
