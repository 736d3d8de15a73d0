// Running a program as a player or a script would, for the end-to-end tests: its exit code and
// everything it printed.
#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "TestFiles.h"

struct ProcessRun {
    int exit_code;
    std::string output; // stdout and stderr together
};

inline ProcessRun Execute(const std::string& command) {
    ProcessRun run{-1, ""};
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, read);
    int status = pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

