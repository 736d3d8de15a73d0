#include "Code/RuntimeError.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Code/EventNames.h"
#include "Code/FrameRecord.h"
#include "Code/RunningCode.h"
#include "Platform/MessageDialog.h"

namespace {

RuntimeErrorCapture* g_capture = nullptr;
std::string g_last_error;

constexpr size_t kRuleWidth = 92;

void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void AppendFormat(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        size_t start = out.size();
        out.resize(start + static_cast<size_t>(length) + 1);
        std::vsnprintf(out.data() + start, static_cast<size_t>(length) + 1, format, again);
        out.resize(start + static_cast<size_t>(length));
    }
    va_end(again);
}

// The number that ends an object handler's name (psl_Object_oNPC_Step_1 is action 1).
int ActionNumber(const char* code_name) {
    if (!code_name || std::strncmp(code_name, "psl_Object", 10) != 0) return 0;
    const char* end = code_name + std::strlen(code_name);
    const char* digits = end;
    while (digits > code_name && digits[-1] >= '0' && digits[-1] <= '9') --digits;
    return digits < end ? std::atoi(digits) : 0;
}

const char* OrEmpty(const char* text) { return text ? text : ""; }

void AppendHeader(std::string& out, const char* prefix, const char* message) {
    const RunningCode& code = CurrentRunningCode();
    switch (code.kind) {
    case RunningCode::Kind::ObjectEvent: {
        std::string event = EventTypeName(code.event_type);
        AppendFormat(event, " Event%d", code.event_subtype);
        AppendFormat(out, "%sERROR in\naction number %d\nof %s\nfor object %s:\n\n\n%s", prefix,
                     ActionNumber(code.code_name), event.c_str(), OrEmpty(code.owner_name), message);
        break;
    }
    case RunningCode::Kind::TimeLine:
        AppendFormat(out, "%sERROR in\naction number %d\nat time step%d\nof time line %s:\n\n\n%s",
                     prefix, ActionNumber(code.code_name), code.time_step, OrEmpty(code.owner_name),
                     message);
        break;
    case RunningCode::Kind::RoomCreation:
        AppendFormat(out, "%sFATAL ERROR in Room Creation Code for room %s\n\n\n%s\n", prefix,
                     OrEmpty(code.owner_name), message);
        break;
    case RunningCode::Kind::None:
        AppendFormat(out, "%sERROR\n\n\n%s", prefix, message);
        break;
    }
    if (out.back() != '\n') out += '\n';
}

} // namespace

RuntimeErrorCapture::RuntimeErrorCapture() : outer_(g_capture) { g_capture = this; }

RuntimeErrorCapture::~RuntimeErrorCapture() { g_capture = outer_; }

const std::string& LastRuntimeError() { return g_last_error; }

std::string BuildErrorReport(const char* message, bool fatal) {
    std::string report(kRuleWidth, '#');
    report += '\n';
    AppendHeader(report, fatal ? "FATAL " : "", message);
    // Compiled code carries no source text, so the location names the running code only.
    const RunningCode& code = CurrentRunningCode();
    const char* location = code.code_name ? code.code_name
                           : g_FrameChain ? g_FrameChain->name
                                          : "<runner>";
    AppendFormat(report, "at %s\n", location);
    report.append(kRuleWidth, '#');
    report += '\n';
    report.append(kRuleWidth, '-');
    report += '\n';
    for (const FrameRecord* frame = g_FrameChain; frame; frame = frame->previous) {
        if (frame->line < 0) AppendFormat(report, "called from - %s\n", frame->name);
        else AppendFormat(report, "called from - %s (line %d)\n", frame->name, frame->line);
    }
    return report;
}

void ShowError(const char* message, bool fatal) {
    std::string report = BuildErrorReport(message, fatal);
    g_last_error = message;
    if (g_capture) {
        DebugOutput().Printf("ERROR!!! :: %s\n", message);
        g_capture->messages_.emplace_back(message);
        g_capture->reports_.push_back(std::move(report));
        return;
    }
    ErrorOutput().Write(report);
    ErrorChoice choice = ActiveMessageDialog().ShowErrorReport(report, fatal);
    DebugOutput().Printf("ERROR!!! :: %s\n", message);
    if (!fatal && choice == ErrorChoice::Ignore) return;

    RunnerState& runner = Runner();
    runner.game_aborted = true;
    runner.pending_room = PENDING_ABORT_GAME;
    runner.running = false;
    if (!runner.relaunched) std::exit(1);
}

void RaiseRuntimeError(const char* format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    ShowError(message, true);
}
