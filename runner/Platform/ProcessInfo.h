// Facts about the running process: where its executable is, and how much memory it has used;
// and how its allocator treats memory freed while frames run.
#pragma once

#include <cstdint>
#include <string>

// The executable's absolute path; "" when the system does not say.
std::string ExecutablePath();
// The folder of the executable, without a trailing separator.
std::string ExecutableFolder();
// The most memory the process has held at once, in KiB.
int64_t PeakResidentKiB();
// Keeps memory freed during a frame for the next one. Drawing allocates and frees in the same
// waves every frame (a software rasteriser's scene memory, for one); memory handed back to the
// system at the end of one frame is faulted in and zeroed again at the start of the next.
void KeepFreedMemoryForReuse();
