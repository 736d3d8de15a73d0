// The writer thread and the game thread's side of it.
#include "Support/SaveWriter.h"

#include <thread>

#include "Base/OutputChannel.h"
#include "Platform/AtomicFile.h"
#include "Platform/FileSystem.h"

SaveWriter::~SaveWriter() {
    WaitUntilIdle();
}

void SaveWriter::Replace(std::string path, std::string bytes, std::string note) {
    std::lock_guard lock(mutex_);
    queue_.push_back({std::move(path), std::move(bytes), std::move(note)});
    if (running_) return; // the running thread takes it after what is before it
    running_ = true;
    std::thread([this] { Run(); }).detach();
}

bool SaveWriter::PendingLocked(const std::string& path) const {
    if (path.empty()) return false;
    if (writing_ == path) return true;
    for (const Save& save : queue_)
        if (save.path == path) return true;
    return false;
}

bool SaveWriter::Pending(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return PendingLocked(path);
}

void SaveWriter::WaitFor(const std::string& path) {
    std::unique_lock lock(mutex_);
    written_.wait(lock, [&] { return !PendingLocked(path); });
}

void SaveWriter::WaitUntilIdle() {
    std::unique_lock lock(mutex_);
    written_.wait(lock, [&] { return !running_; });
}

void SaveWriter::Drain() {
    WaitUntilIdle();
    ReportOutcomes();
}

void SaveWriter::ReportOutcomes() {
    std::vector<Failure> failures;
    std::vector<std::string> notes;
    {
        std::lock_guard lock(mutex_);
        failures.swap(failures_);
        notes.swap(notes_);
    }
    for (const std::string& note : notes) DebugOutput().Printf("%s\n", note.c_str());
    for (const Failure& failure : failures) {
        ErrorOutput().Printf("Failed to save file %s (%s); the previous file is kept\n", failure.path.c_str(),
                             failure.reason.c_str());
        DebugOutput().Printf("ERROR!!! :: Failed to save file: %s\n", failure.path.c_str());
    }
}

void SaveWriter::Run() {
    std::unique_lock lock(mutex_);
    while (!queue_.empty()) {
        Save save = std::move(queue_.front());
        queue_.pop_front();
        writing_ = save.path;
        lock.unlock();
        std::string error;
        std::unique_ptr<AtomicFile> file = AtomicFile::Begin(save.path, error);
        // The player may have removed the save folder since the file was opened.
        if (!file && MakeFolderOf(save.path)) file = AtomicFile::Begin(save.path, error);
        if (file) {
            file->Write(save.bytes);
            file->Commit(error);
        }
        lock.lock();
        if (!error.empty()) failures_.push_back({save.path, error});
        else if (!save.note.empty()) notes_.push_back(std::move(save.note));
        writing_.clear();
        written_.notify_all();
    }
    running_ = false;
    written_.notify_all();
}

SaveWriter& Saves() {
    static SaveWriter writer;
    return writer;
}
