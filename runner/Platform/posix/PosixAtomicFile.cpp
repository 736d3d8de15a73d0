// Crash-safe file replacement on POSIX: mkostemps, fsync, rename, and an fsync of the folder.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "Platform/AtomicFile.h"

namespace {

constexpr std::string_view kUniquePart = "XXXXXX"; // mkostemps fills it in
constexpr int kMaxFolderDepth = 32;
constexpr mode_t kNewFileMode = 0644;

std::string Reason(const char* step, int error) {
    return std::string(step) + ": " + std::strerror(error);
}

bool WriteAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A rename is durable only once the folder that holds the new name is on disk.
bool SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

bool WriterIsGone(std::string_view name) {
    const uint64_t writer = WriterOfTemporaryFile(name);
    return writer > 0 && writer <= uint64_t(std::numeric_limits<pid_t>::max()) && kill(pid_t(writer), 0) != 0 &&
           errno == ESRCH;
}

void RemoveStaleIn(const std::string& folder, int depth) {
    DIR* listing = opendir(folder.c_str());
    if (!listing) return;
    while (dirent* entry = readdir(listing)) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::string path = folder + '/' + entry->d_name;
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode) && depth < kMaxFolderDepth)
            RemoveStaleIn(path, depth + 1);
        else if (S_ISREG(info.st_mode) && IsTemporaryFileName(name) && WriterIsGone(name))
            unlink(path.c_str());
    }
    closedir(listing);
}

} // namespace

std::unique_ptr<AtomicFile> AtomicFile::Begin(const std::string& target, std::string& error) {
    const std::string pattern = TemporaryFileName(target, uint64_t(getpid()), kUniquePart);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int suffix = static_cast<int>(pattern.size() - pattern.rfind(kUniquePart) - kUniquePart.size());
    int fd = mkostemps(name.data(), suffix, O_CLOEXEC);
    if (fd < 0) {
        error = Reason("cannot create a temporary file", errno);
        return nullptr;
    }
    // The new file keeps the old one's permissions; a first save gets the usual ones.
    struct stat old {};
    fchmod(fd, stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : kNewFileMode);
    return std::unique_ptr<AtomicFile>(new AtomicFile(fd, target, name.data()));
}

AtomicFile::AtomicFile(int fd, std::string target, std::string temporary)
    : fd_(fd), target_(std::move(target)), temporary_(std::move(temporary)) {}

AtomicFile::~AtomicFile() {
    if (fd_ < 0) return;
    close(fd_);
    unlink(temporary_.c_str());
}

bool AtomicFile::Flush() {
    if (write_error_ == 0 && !WriteAll(fd_, buffer_.data(), buffer_.size())) write_error_ = errno;
    buffer_.clear();
    return write_error_ == 0;
}

bool AtomicFile::Commit(std::string& error) {
    error.clear();
    if (!Flush())
        error = Reason("cannot write", write_error_);
    else if (fsync(fd_) != 0)
        error = Reason("cannot sync", errno);
    if (close(std::exchange(fd_, -1)) != 0 && error.empty()) error = Reason("cannot close", errno);
    if (error.empty() && rename(temporary_.c_str(), target_.c_str()) != 0)
        error = Reason("cannot replace the file", errno);
    if (!error.empty()) {
        unlink(temporary_.c_str());
        return false;
    }
    // The new contents are in place; a folder that cannot be synced only weakens the
    // guarantee against a power loss in the next moments, so it is not a failure.
    SyncFolder(FolderOf(target_));
    return true;
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
    std::string start = folder;
    while (start.size() > 1 && start.back() == '/')
        start.pop_back();
    RemoveStaleIn(start, 0);
}
