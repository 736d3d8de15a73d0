// The end-of-run digest: one hash of the state that tells two runs apart (the room, the frames
// drawn, every instance's object and position in the room's order, the game's global variables),
// so a replay can be checked against the run it was recorded from. The run's digest folds in that
// state at the end of every frame, so it also tells apart runs that differ on the way and end alike.
#pragma once

#include <cstdint>
#include <string>

#include "IO/StateHash.h"

uint64_t GameStateDigest();

// A run's digest, held by whoever runs the frames: each run starts its own.
class RunDigest {
public:
    void FoldFrame() { hash_.Number(GameStateDigest()); } // at the end of each frame
    uint64_t Value() const { return hash_.Value(); }

private:
    StateHash hash_;
};

// "digest <16 hex digits> room <n> frames <n> instances <n> run <16 hex digits>"
std::string GameStateDigestLine(const RunDigest& run);
