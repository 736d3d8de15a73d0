// The game for the fuzz targets that play it: loaded once for the whole run (a load per input
// would leave the fuzzer a few inputs a minute), on to the title, and ended before the runner's
// own statics go at exit, so the leak check sees the game's values freed, not cut loose.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "GameSession.h"

class FuzzGame : public GameSession {
public:
    FuzzGame() {
        Begin();
        const std::string error = Load();
        if (!error.empty()) {
            std::fprintf(stderr, "the game cannot start: %s\n", error.c_str());
            std::abort();
        }
        RunFrames(3); // on to the title, where no room change holds back events
    }

    // The run's one game, of the target's own kind.
    template <typename Game>
    static Game& Get() {
        static Game* game = nullptr;
        if (!game) {
            game = new Game;
            std::atexit([] {
                game->End();
                delete game;
            });
        }
        return *game;
    }

    // What the runner wrote about the last input, which nobody reads.
    void ForgetOutput() {
        debug_output_.clear();
        error_output_.clear();
    }
};
