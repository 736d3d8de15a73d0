// The runner's entry point. The executable's main() hands it the command line and the compiled
// game's link record (the plain runner executable links an empty game).
#pragma once

#include "Package/GameLink.h"

// Runs the game and returns the process's exit code: 0, the value given to `game_end`, or 1
// after a start-up failure (no package, a refused package, no OpenGL context, a bad command
// line). A relaunch replaces the process instead of returning.
int RunnerMain(int argc, char** argv, const GameLink& game);
