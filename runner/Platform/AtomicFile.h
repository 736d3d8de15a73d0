// Writing a file so that a crash or power loss at any moment leaves either the old file or the
// new one whole, never a mixture or a stub. The bytes go to a temporary file beside the target,
// which is synced and then renamed over the target; the folder is synced after the rename.
//
// Temporary files are named "<target>.<pid>-XXXXXX.~saving". File functions treat every name
// ending in ".~saving" as nonexistent, and the temporaries of processes that died while writing
// are removed by RemoveStaleTemporaryFiles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class AtomicFile {
public:
    // Starts writing `target`. Null, with the reason, when the temporary cannot be made.
    static std::unique_ptr<AtomicFile> Begin(const std::string& target, std::string& error);
    // An uncommitted file is abandoned: the temporary goes, the target is untouched.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void Write(std::string_view bytes);
    // Replaces the target with what was written. False, with the reason, when any step fails;
    // the target is then untouched and the temporary removed. Call at most once.
    bool Commit(std::string& error);

    const std::string& TemporaryPath() const { return temporary_; }

private:
    AtomicFile(int fd, std::string target, std::string temporary);
    bool Flush();

    int fd_;
    std::string target_;
    std::string temporary_;
    std::string buffer_;
    int write_error_ = 0; // the first failed write's errno
};

// Whether the last component of a path names a temporary file of AtomicFile.
bool IsTemporaryFileName(std::string_view path);
// The temporary file for `target` of the process `pid`: "<target>.<pid>-<unique>.~saving".
std::string TemporaryFileName(const std::string& target, uint64_t pid, std::string_view unique);
// The process that wrote a temporary file, from its name; 0 when the name does not say.
uint64_t WriterOfTemporaryFile(std::string_view name);

// Removes, in the folder and its subfolders, the temporary files whose writing process no
// longer runs.
void RemoveStaleTemporaryFiles(const std::string& folder);
