// Running a program as a player or a script would, for the end-to-end tests: its exit code and
// everything it printed.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "TestFiles.h"

struct ProcessRun {
    int exit_code;
    std::string output; // stdout, and stderr with it unless it was kept apart
    std::string errors; // stderr, when it was kept apart
};

// Runs `command` through the shell. Its stderr joins the output, or, given `errors_file`, goes
// to that file and comes back in `errors`.
inline ProcessRun Execute(const std::string& command, const std::string& errors_file = "") {
    ProcessRun run{-1, "", ""};
    const std::string redirect = errors_file.empty() ? " 2>&1" : " 2>" + errors_file;
    std::FILE* pipe = popen((command + redirect).c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, read);
    int status = pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!errors_file.empty()) run.errors = ReadText(errors_file);
    return run;
}
