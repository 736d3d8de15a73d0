// File-system questions and changes through the wide-character Windows API.
#include <windows.h>

#include "Platform/FileSystem.h"
#include "Platform/windows/WideText.h"

bool IsRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

bool RemoveFile(const std::string& path) {
    return IsRegularFile(path) && DeleteFileW(Widen(path).c_str());
}

bool MakeFolderOf(const std::string& path) {
    const size_t end = path.find_last_of("/\\");
    if (end == std::string::npos) return true;
    const std::string folder = path.substr(0, end + 1);
    // Each prefix ending before a separator is a parent to create first; "C:" is not a folder.
    for (size_t at = folder.find_first_of("/\\", 1); at != std::string::npos; at = folder.find_first_of("/\\", at + 1)) {
        const std::string parent = folder.substr(0, at);
        if (parent.size() == 2 && parent[1] == ':') continue;
        if (!CreateDirectoryW(Widen(parent).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    const DWORD attributes = GetFileAttributesW(Widen(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
