// Where the game's files live, and how a script's file name maps onto them. Names inside the
// current folder or the program's folder are redirected into the save folder; names already in
// the save folder stay; anything else is refused, so a script cannot touch files elsewhere.
// Reading looks in the save folder first, then in the program's folder beside the executable.
#pragma once

#include <string>
#include <string_view>

struct ResolvedFile {
    std::string save_path;    // empty: the name was refused
    std::string program_path; // the same name in the program's folder; empty when there is none
};

class SaveFolder {
public:
    // From the game package. The folder is derived from it when it is first needed.
    void SetGameName(std::string_view name);
    // Use this folder instead of the one derived from the game's name (tests, portable runs).
    void SetFolder(std::string folder);
    // Use this folder instead of the executable's (tests).
    void SetProgramFolder(std::string folder);
    // The folder of the game a game change came from: its files stay reachable.
    void SetGameChangeFolder(std::string folder);
    // The package's option to allow any path.
    void SetUnrestricted(bool unrestricted) { unrestricted_ = unrestricted; }
    // Report each redirection to the debug output.
    void SetVerbose(bool verbose) { verbose_ = verbose; }

    // The save folder, ending with '/'. The first call reports it ("SavePrePend = ...") and
    // removes temporary files left by writes that never finished. Without a game name it is
    // the current folder.
    const std::string& Folder();
    const std::string& ProgramFolder();

    // A refused name, or one of the temporary files of unfinished writes, gives an empty save
    // path and a line on the debug output.
    ResolvedFile Resolve(std::string_view name);

private:
    ResolvedFile Redirect(const std::string& full_path);

    std::string game_name_;
    std::string folder_;
    std::string folder_override_;
    std::string program_folder_;
    std::string game_change_folder_;
    bool folder_known_ = false;
    bool unrestricted_ = false;
    bool verbose_ = false;
};

SaveFolder& TheSaveFolder();
