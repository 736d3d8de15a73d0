// Script errors and the error report.
//
// RaiseRuntimeError reports a fatal script error: the report (what was running, the message,
// the chain of active compiled functions) goes to the error output and the error dialog, and
// the process ends with exit code 1 (a relaunched run ends its game instead and returns).
// ShowError is the same report for `show_error` and for the runner's own errors that are not
// fatal: when the player chooses Ignore, the caller goes on.
//
// While a RuntimeErrorCapture is alive (tests, and places where the runner must go on) both
// record the message and report and return instead, and every raise site then gives its stated
// fallback value (0, false, no element), so code below a raise must stay safe to run.
#pragma once

#include <string>
#include <vector>

void RaiseRuntimeError(const char* format, ...) __attribute__((format(printf, 1, 2)));
void ShowError(const char* message, bool fatal);

// The report text for a message, from what is running now and the frame chain.
std::string BuildErrorReport(const char* message, bool fatal);

// The message of the most recent report ("" before the first).
const std::string& LastRuntimeError();

class RuntimeErrorCapture {
public:
    RuntimeErrorCapture();
    ~RuntimeErrorCapture();
    RuntimeErrorCapture(const RuntimeErrorCapture&) = delete;
    RuntimeErrorCapture& operator=(const RuntimeErrorCapture&) = delete;

    const std::vector<std::string>& Messages() const { return messages_; }
    const std::vector<std::string>& Reports() const { return reports_; }
    bool Empty() const { return messages_.empty(); }
    void Clear() {
        messages_.clear();
        reports_.clear();
    }

private:
    friend void ShowError(const char* message, bool fatal);
    RuntimeErrorCapture* outer_;
    std::vector<std::string> messages_;
    std::vector<std::string> reports_;
};
