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

    // Queues `bytes` to replace the file at `path`, whose folder exists. A `note` goes to the
    // debug output once the file is written.
    void Replace(std::string path, std::string bytes, std::string note = {});
    // Whether a save of `path` is queued or being written.
    bool Pending(const std::string& path) const;
    // Returns once no save of `path` is queued or being written.
    void WaitFor(const std::string& path);
    // Returns once every queued save is written, and reports on them.
    void Drain();
    // Reports the saves that failed since the last report (the old file was kept), and gives
    // the notes of those written.
    void ReportOutcomes();

private:
    struct Save {
        std::string path, bytes, note;
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
    std::vector<std::string> notes_;
    bool running_ = false;
};

SaveWriter& Saves();
