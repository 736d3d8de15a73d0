// A tiny compiled game for the runner's end-to-end tests. Its first room's creation code looks
// at the command line: "-end", or a game file whose name ends in "-end.win", ends the game with
// exit code 7; "-fail" raises a script error; "-crash" crashes the process; "-save" writes
// "check.txt" through the file built-ins. A walker, where a package places one, moves on to the
// next room of the room order at every step.
#include <csignal>

#include "Runner/GameApi.h"
#include "Runner/RunnerMain.h"

namespace {

FunctionPair g_functions[] = {
    {"game_end", -1}, {"parameter_count", -1}, {"parameter_string", -1}, {"real", -1},
    {"file_text_open_write", -1}, {"file_text_write_string", -1}, {"file_text_close", -1},
    {"room_goto_next", -1}, {nullptr, 0},
};
const FunctionPair& FN_game_end = g_functions[0];
const FunctionPair& FN_parameter_count = g_functions[1];
const FunctionPair& FN_parameter_string = g_functions[2];
const FunctionPair& FN_real = g_functions[3];
const FunctionPair& FN_file_text_open_write = g_functions[4];
const FunctionPair& FN_file_text_write_string = g_functions[5];
const FunctionPair& FN_file_text_close = g_functions[6];
const FunctionPair& FN_room_goto_next = g_functions[7];

void psl_Room_rmFirst_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmFirst_Create");
    frame.Line(1);
    Value count = Call(self, other, FN_parameter_count);
    for (Value i = 0; i < count; i += 1) {
        frame.Line(2);
        Value parameter = Call(self, other, FN_parameter_string, i);
        std::string_view text = StringView(parameter);
        bool ends = text == "-end" || (text.size() >= 8 && text.substr(text.size() - 8) == "-end.win");
        if (ends) Call(self, other, FN_game_end, Value(7));
        if (parameter == Value("-fail")) Call(self, other, FN_real, Value("snow"));
        if (parameter == Value("-crash")) std::raise(SIGSEGV);
        if (parameter == Value("-save")) {
            Value file = Call(self, other, FN_file_text_open_write, Value("check.txt"));
            Call(self, other, FN_file_text_write_string, file, Value("Merry Snowtide!"));
            Call(self, other, FN_file_text_close, file);
        }
    }
}

void psl_Object_oWalker_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oWalker_Step_0");
    frame.Line(1);
    Call(self, other, FN_room_goto_next);
}

const CodeEntry kCode[] = {{"psl_Room_rmFirst_Create", nullptr, psl_Room_rmFirst_Create},
                           {"psl_Object_oWalker_Step_0", nullptr, psl_Object_oWalker_Step_0}};

} // namespace

int main(int argc, char** argv) {
    GameLink game;
    game.functions = g_functions;
    game.code = kCode;
    game.code_count = 2;
    return RunnerMain(argc, argv, game);
}
