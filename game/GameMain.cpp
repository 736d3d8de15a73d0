// Snowtide: the runner with the game's compiled code; data.win beside the executable.
#include "GameNames.h"

int main(int argc, char** argv) {
    return RunnerMain(argc, argv, GameLinkRecord());
}
