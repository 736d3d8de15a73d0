// The one routine through which compiled code and built-ins report a script error.
//
// A fatal report ends the game: the raise does not come back to the caller. While a
// RuntimeErrorCapture is alive (tests, and places where the runner must go on) a raise records
// its message and returns instead, and every raise site then gives its stated fallback value
// (0, false, no element), so code below a raise must stay safe to run.
#pragma once

#include <string>
#include <vector>

void RaiseRuntimeError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The message of the most recent raise ("" before the first).
const std::string& LastRuntimeError();

class RuntimeErrorCapture {
public:
    RuntimeErrorCapture();
    ~RuntimeErrorCapture();
    RuntimeErrorCapture(const RuntimeErrorCapture&) = delete;
    RuntimeErrorCapture& operator=(const RuntimeErrorCapture&) = delete;

    const std::vector<std::string>& Messages() const { return messages_; }
    bool Empty() const { return messages_.empty(); }
    void Clear() { messages_.clear(); }

private:
    friend void RaiseRuntimeError(const char* format, ...);
    RuntimeErrorCapture* outer_;
    std::vector<std::string> messages_;
};
