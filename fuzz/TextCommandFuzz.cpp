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

// The game, loaded once for the whole run and kept to the end.
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
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzGame* game = new FuzzGame;
    (void)game;
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
    return 0;
}
