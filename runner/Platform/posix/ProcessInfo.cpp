#include "Platform/ProcessInfo.h"

#include <filesystem>
#include <malloc.h>
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

void ReturnLargeBlocksToTheSystem() {
#ifdef __GLIBC__
    // A fixed threshold also stops glibc from raising it after each large block is freed.
    constexpr int kLargeBlock = 256 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
#endif
}
