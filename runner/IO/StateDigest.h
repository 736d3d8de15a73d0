// The end-of-run digest: one hash of the state that tells two runs apart (the room, the frames
// drawn, every instance's object and position in the room's order, the game's global variables),
// so a replay can be checked against the run it was recorded from. The run's digest folds in that
// state at the end of every frame, so it also tells apart runs that differ on the way and end alike.
#pragma once

#include <cstdint>
#include <string>

uint64_t GameStateDigest();
// Called at the end of each frame of a run that prints its digest.
void FoldStateIntoRunDigest();
// "digest <16 hex digits> room <n> frames <n> instances <n> run <16 hex digits>"
std::string GameStateDigestLine();
