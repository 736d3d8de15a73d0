#include "Base/OutputChannel.h"

#include <cstdarg>
#include <vector>

OutputChannel::~OutputChannel() {
    if (file_) std::fclose(file_);
}

void OutputChannel::Write(std::string_view text) {
    std::lock_guard lock(mutex_);
    if (capture_) {
        capture_->append(text);
        return;
    }
    std::FILE* out = file_ ? file_ : console_;
    std::fwrite(text.data(), 1, text.size(), out);
    // A crash must not take the last lines with it.
    std::fflush(out);
}

void OutputChannel::Printf(const char* format, ...) {
    char small[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        return;
    }
    if (static_cast<size_t>(length) < sizeof small) {
        va_end(again);
        Write(std::string_view(small, length));
        return;
    }
    std::vector<char> large(static_cast<size_t>(length) + 1);
    std::vsnprintf(large.data(), large.size(), format, again);
    va_end(again);
    Write(std::string_view(large.data(), length));
}

bool OutputChannel::RedirectToFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) return false;
    std::lock_guard lock(mutex_);
    if (file_) std::fclose(file_);
    file_ = file;
    return true;
}

void OutputChannel::CaptureTo(std::string* sink) {
    std::lock_guard lock(mutex_);
    capture_ = sink;
}

void OutputChannel::Reset() {
    std::lock_guard lock(mutex_);
    if (file_) std::fclose(file_);
    file_ = nullptr;
    capture_ = nullptr;
}

int OutputChannel::FileDescriptor() const { return fileno(file_ ? file_ : console_); }

OutputChannel& DebugOutput() {
    static OutputChannel channel(stdout);
    return channel;
}

OutputChannel& ErrorOutput() {
    static OutputChannel channel(stderr);
    return channel;
}
