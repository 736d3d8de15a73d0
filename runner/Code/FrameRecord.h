// The chain of frame records: every compiled function pushes one on entry and pops it on exit,
// so an error report can list the active functions, innermost first, with their current lines.
#pragma once

#include <cstdint>

struct FrameRecord {
    FrameRecord* previous;
    const char* name; // psl_Script_<script>, psl_Object_<object>_<event>_<n>, psl_Room_...
    int32_t line;     // 0 at entry, then the line of the statement being run
};

// The innermost active frame, or null between events.
extern FrameRecord* g_FrameChain;

// Pushes a record for the lifetime of a compiled function's body.
class FrameScope {
public:
    explicit FrameScope(const char* name) : record_{g_FrameChain, name, 0} { g_FrameChain = &record_; }
    ~FrameScope() { g_FrameChain = record_.previous; }
    FrameScope(const FrameScope&) = delete;
    FrameScope& operator=(const FrameScope&) = delete;

    void Line(int32_t line) { record_.line = line; }

private:
    FrameRecord record_;
};
