// Crashes on Windows: the exception that no handler took, and abort().
#include <csignal>
#include <windows.h>

#include "Platform/CrashSignals.h"

namespace {

CrashReport g_report = nullptr;

LONG WINAPI OnException(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception ? exception->ExceptionRecord : nullptr;
    g_report(record ? static_cast<uint32_t>(record->ExceptionCode) : 0,
             record ? reinterpret_cast<uintptr_t>(record->ExceptionAddress) : 0);
    return EXCEPTION_EXECUTE_HANDLER;
}

void OnAbort(int signal) { g_report(static_cast<uint32_t>(signal), 0); }

} // namespace

void InstallCrashSignals(CrashReport report) {
    g_report = report;
    SetUnhandledExceptionFilter(OnException);
    std::signal(SIGABRT, OnAbort);
}
