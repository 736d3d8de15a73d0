// Folders on Windows: the current one, and the save folder under %LOCALAPPDATA%.
#include <shlobj.h>
#include <windows.h>

#include "Platform/Paths.h"
#include "Platform/windows/WideText.h"

namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string LocalAppDataFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path) == S_OK) folder = RunnerPath(path);
    CoTaskMemFree(path);
    return WithSlash(folder);
}

} // namespace

std::string CurrentFolder() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring path(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, path.data());
    path.resize(length);
    return WithSlash(RunnerPath(path));
}

std::string GameSaveFolder(std::string_view game_name) {
    std::string name = SafeFolderName(game_name);
    std::string data = LocalAppDataFolder();
    if (name.empty() || data.empty()) return {};
    return data + name + '/';
}
