// Crashes on POSIX: the signals of a faulting or aborting process.
#include <csignal>
#include <initializer_list>

#include "Platform/CrashSignals.h"

namespace {

CrashReport g_report = nullptr;

void OnSignal(int signal, siginfo_t* info, void*) {
    g_report(static_cast<uint32_t>(signal), reinterpret_cast<uintptr_t>(info ? info->si_addr : nullptr));
}

} // namespace

void InstallCrashSignals(CrashReport report) {
    g_report = report;
    struct sigaction action {};
    action.sa_sigaction = OnSignal;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) sigaction(signal, &action, nullptr);
}
