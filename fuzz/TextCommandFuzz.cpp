// The text command language on any text: the text is prepared and run as an NPC's script, each
// dialogue line is laid out through the inline commands, and each line is also evaluated as an
// expression. Fatal script errors are captured, as a test does: a report is an acceptable
// outcome, a crash, a hang or a leak is not.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "GameSession.h"
#include "TextScript.h"

namespace {

// The game, loaded once for the whole run. It ends before the runner's own statics go at exit,
// so the leak check sees the game's values freed, not cut loose.
class FuzzGame : public GameSession {
public:
    static FuzzGame& Get() {
        static FuzzGame* game = nullptr;
        if (!game) {
            game = new FuzzGame;
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

private:
    FuzzGame() {
        Begin();
        const std::string error = Load();
        if (!error.empty()) {
            std::fprintf(stderr, "the game cannot start: %s\n", error.c_str());
            std::abort();
        }
        RunFrames(3); // on to the title, where no room change holds back events
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGame& game = FuzzGame::Get();
    RuntimeErrorCapture errors;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CInstance* npc = MakeSpeaker(std::string(text));
    Converse(npc);
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        CallScript(psl_Script_expression_process, npc, npc, Value(text.substr(start, end - start)));
        start = end + 1;
    }
    RemoveSpeaker(npc);
    game.ForgetOutput();
    return 0;
}
