// The runner's two text channels: debug output (progress) and error output (problems).
// Every subsystem writes through them, so "-debugoutput" and "-output" can send either to a
// file and tests can capture what was written.
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

class OutputChannel {
public:
    explicit OutputChannel(std::FILE* console) : console_(console) {}
    ~OutputChannel();
    OutputChannel(const OutputChannel&) = delete;
    OutputChannel& operator=(const OutputChannel&) = delete;

    void Write(std::string_view text);
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Sends everything from now on to the file (created or truncated). On failure the channel
    // keeps its current target and false is returned.
    bool RedirectToFile(const std::string& path);
    // While a sink is set, text is appended to it instead of being written out.
    void CaptureTo(std::string* sink);
    // Back to the console: closes a redirect file and ends a capture.
    void Reset();
    // Where the text goes now, for writers that cannot take the lock (a crash handler).
    int FileDescriptor() const;

private:
    std::mutex mutex_; // audio and streaming threads write too
    std::FILE* console_;
    std::FILE* file_ = nullptr;
    std::string* capture_ = nullptr;
};

OutputChannel& DebugOutput();
OutputChannel& ErrorOutput();
