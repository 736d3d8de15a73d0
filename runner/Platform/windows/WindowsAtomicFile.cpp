// Crash-safe file replacement on Windows: a temporary file beside the target, written through,
// flushed to the disk, then moved over the target in one step.
#include <fcntl.h>
#include <io.h>
#include <random>
#include <utility>
#include <windows.h>

#include "Platform/AtomicFile.h"
#include "Platform/windows/WideText.h"

namespace {

constexpr int kMaxFolderDepth = 32;
constexpr int kNameTries = 100;

std::string Reason(const char* step, DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = text ? Narrow(text) : "error " + std::to_string(error);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) reason.pop_back();
    return std::string(step) + ": " + reason;
}

// The file is held as a C runtime descriptor, as on other systems; its handle is asked for.
HANDLE Handle(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool WriterIsGone(std::string_view name) {
    const uint64_t writer = WriterOfTemporaryFile(name);
    if (writer == 0 || writer > MAXDWORD) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(writer));
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER; // no such process
    const bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return gone;
}

void RemoveStaleIn(const std::string& folder, int depth) {
    WIN32_FIND_DATAW entry{};
    HANDLE listing = FindFirstFileW(Widen(folder + "/*").c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = Narrow(entry.cFileName);
        if (name == "." || name == "..") continue;
        const std::string path = folder + '/' + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue; // links are not followed
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (depth < kMaxFolderDepth) RemoveStaleIn(path, depth + 1);
        } else if (IsTemporaryFileName(name) && WriterIsGone(name)) {
            DeleteFileW(Widen(path).c_str());
        }
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
}

} // namespace

std::unique_ptr<AtomicFile> AtomicFile::Begin(const std::string& target, std::string& error) {
    std::random_device seed;
    std::mt19937 random(seed());
    const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::string unique;
        for (int i = 0; i < 6; ++i) unique += kLetters[random() % (sizeof(kLetters) - 1)];
        const std::string temporary = TemporaryFileName(target, GetCurrentProcessId(), unique);
        HANDLE file = CreateFileW(Widen(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
            if (fd >= 0) return std::unique_ptr<AtomicFile>(new AtomicFile(fd, target, temporary));
            CloseHandle(file);
            DeleteFileW(Widen(temporary).c_str());
            error = "cannot create a temporary file: no descriptor left";
            return nullptr;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            error = Reason("cannot create a temporary file", GetLastError());
            return nullptr;
        }
    }
    error = "cannot create a temporary file: every name tried is taken";
    return nullptr;
}

AtomicFile::AtomicFile(int fd, std::string target, std::string temporary)
    : fd_(fd), target_(std::move(target)), temporary_(std::move(temporary)) {}

AtomicFile::~AtomicFile() {
    if (fd_ < 0) return;
    _close(fd_);
    DeleteFileW(Widen(temporary_).c_str());
}

bool AtomicFile::Flush() {
    for (size_t done = 0; write_error_ == 0 && done < buffer_.size();) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<size_t>(buffer_.size() - done, 1u << 30));
        if (!WriteFile(Handle(fd_), buffer_.data() + done, chunk, &written, nullptr)) write_error_ = int(GetLastError());
        done += written;
    }
    buffer_.clear();
    return write_error_ == 0;
}

bool AtomicFile::Commit(std::string& error) {
    error.clear();
    if (!Flush())
        error = Reason("cannot write", DWORD(write_error_));
    else if (!FlushFileBuffers(Handle(fd_)))
        error = Reason("cannot sync", GetLastError());
    if (_close(std::exchange(fd_, -1)) != 0 && error.empty()) error = Reason("cannot close", GetLastError());
    // Write-through: the move is on the disk when it returns, the folder's entry included.
    if (error.empty() && !MoveFileExW(Widen(temporary_).c_str(), Widen(target_).c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = Reason("cannot replace the file", GetLastError());
    if (!error.empty()) {
        DeleteFileW(Widen(temporary_).c_str());
        return false;
    }
    return true;
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
    std::string start = folder;
    while (start.size() > 1 && (start.back() == '/' || start.back() == '\\')) start.pop_back();
    RemoveStaleIn(start, 0);
}
