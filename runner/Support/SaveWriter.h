// Saves written off the game thread. A closed file's bytes are handed over and the frame goes on;
// one writer thread replaces the files in the order they were closed, each whole and durably (see
// AtomicFile). Reading a file, or asking for it, waits for or answers from its queued saves, so
// the game always sees what it wrote. What failed is reported on the game thread, on the next
// frame or when the writer is drained; the runner drains it before it exits or relaunches.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

class SaveWriter {
public:
    SaveWriter() = default;
    // Writes what is still queued.
    ~SaveWriter();
    SaveWriter(const SaveWriter&) = delete;
    SaveWriter& operator=(const SaveWriter&) = delete;

    // Queues `bytes` to replace the file at `path`, whose folder exists.
    void Replace(std::string path, std::string bytes);
    // Whether a save of `path` is queued or being written.
    bool Pending(const std::string& path) const;
    // Returns once no save of `path` is queued or being written.
    void WaitFor(const std::string& path);
    // Returns once every queued save is written, and reports the failures.
    void Drain();
    // Reports the saves that failed since the last report: the old file was kept.
    void ReportFailures();

private:
    struct Save {
        std::string path, bytes;
    };
    struct Failure {
        std::string path, reason;
    };
    // The writer thread: started when a save is queued with none running, it ends once the queue
    // is empty, so an idle game (or a process forked from one) has no writer thread.
    void Run();
    bool PendingLocked(const std::string& path) const;
    void WaitUntilIdle();

    mutable std::mutex mutex_;
    std::condition_variable written_;
    std::deque<Save> queue_;
    std::string writing_; // the path being written, or empty
    std::vector<Failure> failures_;
    bool running_ = false;
};

SaveWriter& Saves();
