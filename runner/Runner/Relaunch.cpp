#include "Runner/Relaunch.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

#include "Runner/CommandLine.h"

std::string RelaunchCommandLine(const std::string& game, const std::string& return_game) {
    std::string line = "-game \"" + game + "\"";
    if (!return_game.empty()) line += " -exit \"" + return_game + "\"";
    return line;
}

std::string ExecuteRunner(const std::string& executable, const std::string& command_line) {
    std::vector<std::string> tokens;
    CommandLineResult split = SplitCommandLine(command_line, tokens);
    if (!split.ok) return split.error;
    tokens.insert(tokens.begin(), executable);
    std::vector<char*> argv;
    for (std::string& token : tokens) argv.push_back(token.data());
    argv.push_back(nullptr);
    execv(executable.c_str(), argv.data());
    return "cannot start " + executable + ": " + std::strerror(errno);
}
