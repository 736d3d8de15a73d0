#include "Code/RuntimeError.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "Runner/OutputChannel.h"

namespace {

RuntimeErrorCapture* g_capture = nullptr;
std::string g_last_error;

} // namespace

RuntimeErrorCapture::RuntimeErrorCapture() : outer_(g_capture) { g_capture = this; }

RuntimeErrorCapture::~RuntimeErrorCapture() { g_capture = outer_; }

const std::string& LastRuntimeError() { return g_last_error; }

void RaiseRuntimeError(const char* format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);

    DebugOutput().Printf("ERROR!!! :: %s\n", message);
    g_last_error = message;
    if (g_capture) {
        g_capture->messages_.emplace_back(message);
        return;
    }
    ErrorOutput().Printf("%s\n", message);
    std::exit(1);
}
