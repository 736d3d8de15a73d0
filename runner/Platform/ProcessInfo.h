// Facts about the running process: where its executable is, and how much memory it has used; and
// how it takes memory from the system.
#pragma once

#include <cstdint>
#include <string>

// The executable's absolute path; "" when the system does not say.
std::string ExecutablePath();
// The folder of the executable, without a trailing separator.
std::string ExecutableFolder();
// The most memory the process has held at once, in KiB.
int64_t PeakResidentKiB();
// Blocks of 256 KiB and more (a room's grids, a surface's pixels) are mapped from the system and
// given back when freed. Otherwise the allocator learns to keep such blocks in its heap, and rooms
// of different sizes, one after another, leave it ever more fragmented: an hour of play grew by
// hundreds of megabytes.
void ReturnLargeBlocksToTheSystem();
