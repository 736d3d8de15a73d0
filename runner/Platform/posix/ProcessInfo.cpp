#include "Platform/ProcessInfo.h"

#include <filesystem>
#include <sys/resource.h>

std::string ExecutablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ExecutableFolder() { return std::filesystem::path(ExecutablePath()).parent_path().string(); }

int64_t PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // Linux reports KiB
}
