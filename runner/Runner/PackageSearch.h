// Where the runner looks for its package when no -game names one: beside the executable, as a
// game unpacked into one folder has it, then in ../share/<executable's name>/, as an installed
// game has it.
#pragma once

#include <string>
#include <vector>

// The places in the order they are tried.
std::vector<std::string> PackagePlaces(const std::string& executable_path);

// The first place that holds a file, or "" when none does.
std::string FindPackage(const std::vector<std::string>& places);

// The places as one line, for the message that none of them held the package.
std::string JoinPlaces(const std::vector<std::string>& places);
