// A tool run as its users run it, from a shell, and what it said.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "TestFiles.h"

struct ToolRun {
    int status; // the exit status, -1 when it did not exit
    std::string out;
    std::string err;
};

// Runs `command`, its output caught in files of `folder`.
inline ToolRun RunTool(const std::string& command, const std::filesystem::path& folder) {
    const std::filesystem::path out = folder / "out.txt", err = folder / "err.txt";
    const int status = std::system((command + " >" + out.string() + " 2>" + err.string()).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
}
