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

#include "FuzzGame.h"
#include "TextScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGame& game = FuzzGame::Get<FuzzGame>();
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
