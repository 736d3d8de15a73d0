// Starting the runner over with a new command line, as when a game hands over to another one
// and back: the process is replaced by a fresh runner, never restarted inside itself.
#pragma once

#include <string>

// "-game "<game>"", and " -exit "<return_game>"" when there is a game to come back to.
std::string RelaunchCommandLine(const std::string& game, const std::string& return_game);

// Replaces this process with the executable run on the command line (split by the runner's
// token rules). Returns only when that fails, with the reason.
std::string ExecuteRunner(const std::string& executable, const std::string& command_line);
