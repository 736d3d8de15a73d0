// How the system tells a process that it has crashed, reduced to one call: `report` gets a code
// (the signal, or the exception code) and the faulting address. It runs in the crashed process,
// so it may use only calls that are safe there, and it must not return.
#pragma once

#include <cstdint>

using CrashReport = void (*)(uint32_t code, uintptr_t address);

void InstallCrashSignals(CrashReport report);
