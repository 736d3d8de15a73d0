// Snowtide: the runner with the game's compiled code and its icon; data.win beside the executable.
#include "GameIcon.h"
#include "GameNames.h"

int main(int argc, char** argv) {
    GameLink game = GameLinkRecord();
    game.icon = GameWindowIcon();
    return RunnerMain(argc, argv, game);
}
