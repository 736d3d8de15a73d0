// What the runner is running now (an object's event, a time line moment, a room's creation
// code), so that an error report can say where it happened. Event dispatch sets it around
// each handler with RunningCodeScope.
#pragma once

#include <cstdint>

struct RunningCode {
    enum class Kind { None, ObjectEvent, TimeLine, RoomCreation };
    Kind kind = Kind::None;
    const char* code_name = nullptr; // the compiled function of the code entry
    const char* owner_name = nullptr; // the object, time line or room
    int32_t event_type = 0;
    int32_t event_subtype = 0;
    int32_t time_step = 0;
};

// Inline and constant-initialised: every event dispatch sets it twice.
inline RunningCode& CurrentRunningCode() {
    static constinit RunningCode current;
    return current;
}

class RunningCodeScope {
public:
    explicit RunningCodeScope(const RunningCode& code) : saved_(CurrentRunningCode()) {
        CurrentRunningCode() = code;
    }
    ~RunningCodeScope() { CurrentRunningCode() = saved_; }
    RunningCodeScope(const RunningCodeScope&) = delete;
    RunningCodeScope& operator=(const RunningCodeScope&) = delete;

private:
    RunningCode saved_;
};
