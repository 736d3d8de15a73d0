#include "Platform/ProcessInfo.h"

#include <filesystem>
#include <sys/resource.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

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

void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
    // Fixed thresholds also stop the allocator's own adjustment of them.
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // blocks under this come from the reusable heap
    mallopt(M_TRIM_THRESHOLD, 64 << 20); // free memory kept at the heap's top before returning it
#endif
}
