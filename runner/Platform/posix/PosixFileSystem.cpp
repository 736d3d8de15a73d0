// File-system questions and changes through POSIX calls.
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/FileSystem.h"

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool RemoveFile(const std::string& path) {
    return IsRegularFile(path) && unlink(path.c_str()) == 0;
}

bool MakeFolderOf(const std::string& path) {
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    // Each prefix ending before a '/' is a parent to create first.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        if (mkdir(folder.substr(0, slash).c_str(), 0777) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
