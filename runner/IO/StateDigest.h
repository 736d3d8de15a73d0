// The end-of-run digest: one hash of the state that tells two runs apart (the room, the frames
// drawn, every instance's object and position in the room's order, the game's global variables),
// so a replay can be checked against the run it was recorded from.
#pragma once

#include <cstdint>
#include <string>

uint64_t GameStateDigest();
// "digest <16 hex digits> room <n> frames <n> instances <n>"
std::string GameStateDigestLine();
