// The packed test game as a game executable: the runner with the game's link record.
#include "GameNames.h"
#include "Runner/RunnerMain.h"

int main(int argc, char** argv) {
    return RunnerMain(argc, argv, GameLinkRecord());
}
