// Facts about the running process: where its executable is, and how much memory it has used.
#pragma once

#include <cstdint>
#include <string>

// The executable's absolute path; "" when the system does not say.
std::string ExecutablePath();
// The folder of the executable, without a trailing separator.
std::string ExecutableFolder();
// The most memory the process has held at once, in KiB.
int64_t PeakResidentKiB();
