// The half of AtomicFile that every system shares: the buffering and the temporary files' names.
#include "Platform/AtomicFile.h"

#include <charconv>

namespace {

constexpr std::string_view kTemporarySuffix = ".~saving";
constexpr size_t kFlushSize = 64 * 1024;

} // namespace

void AtomicFile::Write(std::string_view bytes) {
    buffer_ += bytes;
    if (buffer_.size() >= kFlushSize) Flush();
}

bool IsTemporaryFileName(std::string_view path) {
    return path.ends_with(kTemporarySuffix);
}

std::string TemporaryFileName(const std::string& target, uint64_t pid, std::string_view unique) {
    return target + '.' + std::to_string(pid) + '-' + std::string(unique) + std::string(kTemporarySuffix);
}

uint64_t WriterOfTemporaryFile(std::string_view name) {
    if (!IsTemporaryFileName(name)) return 0;
    name.remove_suffix(kTemporarySuffix.size());
    const size_t dash = name.rfind('-');
    if (dash == std::string_view::npos) return 0;
    const size_t dot = name.rfind('.', dash);
    if (dot == std::string_view::npos) return 0;
    const std::string_view digits = name.substr(dot + 1, dash - dot - 1);
    uint64_t pid = 0;
    auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (failure != std::errc() || end != digits.data() + digits.size()) return 0;
    return pid;
}
