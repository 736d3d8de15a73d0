#include "Platform/ProcessInfo.h"

#include <windows.h>
#include <psapi.h>

#include "Platform/windows/WideText.h"

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return RunnerPath(path);
        }
        path.resize(path.size() * 2); // cut short: a longer path than MAX_PATH
    }
}

std::string ExecutableFolder() {
    const std::string path = ExecutablePath();
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

int64_t PeakResidentKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
    return int64_t(counters.PeakWorkingSetSize / 1024);
}

// The Windows heap keeps freed blocks for reuse by itself.
void KeepFreedMemoryForReuse() {}
