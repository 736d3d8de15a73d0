// File name resolution into the save folder.
#include "Support/SaveFolder.h"

#include <filesystem>

#include "Base/OutputChannel.h"
#include "Base/Utf8Path.h"
#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"
#include "Platform/ProcessInfo.h"

namespace {

// A full, normalised path: ".", ".." and repeated slashes are gone.
std::string FullPath(std::string_view name) {
    std::filesystem::path path = Utf8Path(name);
    if (path.is_relative()) path = Utf8Path(CurrentFolder()) / path;
    return Utf8Text(path.lexically_normal());
}

std::string NormalFolder(const std::string& folder) {
    if (folder.empty()) return folder;
    std::string normal = FullPath(folder);
    if (normal.back() != '/') normal += '/';
    return normal;
}

// The part of the path below the folder, or false when the path is not strictly inside it.
bool Below(const std::string& path, const std::string& folder, std::string* part) {
    if (folder.empty() || path.size() <= folder.size() || !path.starts_with(folder)) return false;
    *part = path.substr(folder.size());
    return true;
}

} // namespace

void SaveFolder::SetGameName(std::string_view name) {
    game_name_ = name;
    folder_known_ = false;
}

void SaveFolder::SetFolder(std::string folder) {
    folder_override_ = NormalFolder(folder);
    folder_known_ = false;
}

void SaveFolder::SetProgramFolder(std::string folder) {
    program_folder_ = NormalFolder(folder);
}

void SaveFolder::SetGameChangeFolder(std::string folder) {
    game_change_folder_ = NormalFolder(folder);
}

const std::string& SaveFolder::Folder() {
    if (folder_known_) return folder_;
    folder_known_ = true;
    folder_ = !folder_override_.empty() ? folder_override_ : GameSaveFolder(game_name_);
    DebugOutput().Printf("SavePrePend = %s\n", folder_.c_str());
    if (folder_.empty())
        folder_ = CurrentFolder();
    else
        RemoveStaleTemporaryFiles(folder_);
    return folder_;
}

const std::string& SaveFolder::ProgramFolder() {
    if (program_folder_.empty()) program_folder_ = NormalFolder(ExecutableFolder());
    return program_folder_;
}

ResolvedFile SaveFolder::Redirect(const std::string& path) {
    const std::string& save = Folder();
    std::string part;
    if (IsTemporaryFileName(path)) return {}; // unfinished writes are invisible to scripts
    if (Below(path, save, &part) || Below(path, game_change_folder_, &part))
        return {path, ProgramFolder() + part};
    if (Below(path, CurrentFolder(), &part) || Below(path, ProgramFolder(), &part)) {
        ResolvedFile resolved{save + part, ProgramFolder() + part};
        if (verbose_)
            DebugOutput().Printf("Warning! Save location - redirected to: '%s'\n",
                                 resolved.save_path.c_str());
        return resolved;
    }
    if (unrestricted_) return {path, {}};
    return {};
}

ResolvedFile SaveFolder::Resolve(std::string_view name) {
    ResolvedFile resolved = Redirect(FullPath(name));
    if (resolved.save_path.empty())
        DebugOutput().Printf("Error! not allowing file operation with filename '%.*s'.\n",
                             static_cast<int>(name.size()), name.data());
    return resolved;
}

SaveFolder& TheSaveFolder() {
    static SaveFolder folder;
    return folder;
}
