// Folders on Linux: the current one, and the save folder after the XDG base directory rules.
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

#include "Platform/Paths.h"

namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

std::string UserDataFolder() {
    const char* data_home = std::getenv("XDG_DATA_HOME");
    if (data_home && data_home[0] == '/') return WithSlash(data_home);
    std::string home = HomeFolder();
    return home.empty() ? home : WithSlash(home) + ".local/share/";
}

} // namespace

std::string CurrentFolder() {
    std::vector<char> path(4096);
    return getcwd(path.data(), path.size()) ? WithSlash(path.data()) : std::string();
}

std::string GameSaveFolder(std::string_view game_name) {
    std::string name = SafeFolderName(game_name);
    std::string data = UserDataFolder();
    if (name.empty() || data.empty()) return {};
    return data + name + '/';
}
